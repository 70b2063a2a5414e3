#pragma once

// Sending the selected sounds of the list, one at a time with a pause after
// each, as steps of a timer on the GUI thread: the window stays responsive
// and nothing sleeps. Each sent slot first gets its own location written
// into bytes 11 and 12.

#include "store/ByteStack.h"
#include "store/SoundStore.h"

#include <QObject>
#include <QString>

#include <functional>
#include <vector>

class QTimer;

namespace sondrake::midi {

constexpr int kSendDelayMs = 155;

struct SendSelectedHooks {
    std::function<bool()> keyboardRunning;
    std::function<void()> switchKeyboardOff;
    std::function<std::vector<int>()> selectedRows;  // ascending
    std::function<void()> showDialog;                // show, raise and focus the receiver dialog
    std::function<void()> hideDialog;
    std::function<void(const QString&)> setLabel;
    std::function<void(int slot)> sendSlot;          // SendStoreSlot
    std::function<void(const QString&)> addMessage;
};

class SendSelected : public QObject {
    Q_OBJECT

public:
    SendSelected(SoundStore& store, ByteStack& stack, bool& receiving, SendSelectedHooks hooks,
                 QObject* parent = nullptr);

    // Starts sending the rows selected now. False when a send is already
    // running: a held Enter key would otherwise pile up sends of the same
    // sounds.
    bool start(int delayMs = kSendDelayMs);
    bool isRunning() const { return m_running; }
    // Requests refused since the running send started.
    int refusedStarts() const { return m_refused; }
    // Slots still to send (for tests).
    int remaining() const { return int(m_rows.size() - m_next); }

signals:
    void finished(bool completed);

private:
    void step();
    void finish();
    void fail(const QString& text);

    SoundStore& m_store;
    ByteStack& m_stack;
    bool& m_receiving;
    SendSelectedHooks m_hooks;
    QTimer* m_timer = nullptr;
    std::vector<int> m_rows;
    std::size_t m_next = 0;
    bool m_running = false;
    int m_refused = 0;
};

} // namespace sondrake::midi
