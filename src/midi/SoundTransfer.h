#pragma once

// Every transfer of sounds between the program and the synthesizer, with
// all of its state in one place: the reception (its request stack, mode,
// flag and count), the arming of the receive buffer, the clock that notices
// a lost answer, the dialog's once-a-second tick, and the sending of the
// selected sounds with its pause after each sound. Windows start a transfer
// and follow its signals; the "SysEx Communication" dialog only shows what
// it is told.

#include "midi/Reception.h"
#include "store/SoundStore.h"

#include <QObject>
#include <QString>

#include <chrono>
#include <functional>
#include <vector>

class QTimer;

namespace sondrake::midi {

class MidiSession;

constexpr int kSendDelayMs = 155;
// How long a dump request waits for its answer: a SoundDump takes 87 ms on
// a MIDI cable, and a synthesizer busy with its own panel answers late.
constexpr std::chrono::milliseconds kAnswerTimeout{1500};
// While bytes keep arriving the answer is on its way: the wait is stretched
// by this much at a time rather than given up.
constexpr std::chrono::milliseconds kArrivingGrace{250};

class SoundTransfer : public QObject, private ReceptionPort {
    Q_OBJECT

public:
    static constexpr int kTickMs = 1000;

    // Received sounds go into `store`; requests and sent sounds go out
    // through `session`, which delivers what arrives.
    SoundTransfer(MidiSession& session, SoundStore& store, QObject* parent = nullptr);
    ~SoundTransfer() override;

    // Where a sound without location goes: the row the list has selected
    // when it arrives (-1 for none).
    void setSelectedRowSource(std::function<int()> source);

    // ---- receptions: the caller shows the wait between start and stop ----
    void startCurrentSoundRead(int selectedRow);
    void startBankRead();
    void stopReception();
    // Sounds are stored as during a read, without requests or a wait, or no
    // longer: for tools that feed the input themselves.
    void receiveWithoutWait(bool on);
    // Shortens the wait for a lost answer (tests).
    void setAnswerTimeout(std::chrono::milliseconds timeout);

    // ---- sending the selected sounds --------------------------------------
    // Sends `rows` (ascending) one at a time, each with its own location
    // written into bytes 11 and 12 first, with `delayMs` after each. False
    // when a send is already running: a held Enter key would otherwise pile
    // up sends of the same sounds.
    bool startSend(const std::vector<int>& rows, int delayMs = kSendDelayMs);
    bool isSending() const { return m_sending; }
    // Requests refused since the running send started.
    int refusedSends() const { return m_refusedSends; }
    int remainingToSend() const { return int(m_sendRows.size() - m_sendNext); }

    // ---- what the windows report -----------------------------------------
    // Close or Escape in the dialog: the pending requests are forgotten.
    void cancel();
    void windowActivated();
    void selectionChanged();

    const ReceptionFields& fields() const { return m_reception.fields(); }
    const ByteStack& stack() const { return m_reception.stack(); }
    // The tick ("Timer1") runs from creation to the end, shown or hidden.
    QTimer* tickTimer() const { return m_tick; }

signals:
    // A received sound replaced `previous` in `slot`.
    void soundStored(int slot, const sondrake::SoundDump& previous);
    void messageAdded(const QString& line);
    // The dialog's text: "Received n sound.", "Sending n".
    void progressChanged(const QString& label);
    // The tick or Close ended the wait: the dialog closes.
    void waitEnded();
    // A sound is about to be sent: the dialog shows itself and takes the focus.
    void sendShowing();
    // The send is over (completed: the dialog hides), or failed: the dialog
    // stays until Close.
    void sendEnded(bool completed);

private:
    // ReceptionPort
    int selectedRow() const override;
    ArmResult armInput(std::size_t length) override;
    void sendDumpRequest() override;
    void awaitAnswer(bool on) override;
    void storedSound(int slot, const SoundDump& previous) override;
    void addMessage(const QString& line) override;
    void showProgress(const QString& label) override;

    void onReceived(const ReceivedSysEx& message);
    void onTick();
    void onAnswerTimer();
    void sendStep();
    void sendFinished();
    void sendFailed(const QString& text);

    MidiSession& m_session;
    SoundStore& m_store;
    Reception m_reception;
    std::function<int()> m_selectedRow;
    QTimer* m_tick = nullptr;
    QTimer* m_answerTimer = nullptr;
    std::chrono::milliseconds m_answerTimeout = kAnswerTimeout;
    std::chrono::steady_clock::time_point m_answerDue{};

    QTimer* m_sendTimer = nullptr;
    std::vector<int> m_sendRows;
    std::size_t m_sendNext = 0;
    bool m_sending = false;
    int m_refusedSends = 0;
};

} // namespace sondrake::midi
