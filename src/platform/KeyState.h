#pragma once

// The asynchronous state of a key, as the keyboard player polls it: "is the
// key down now, or was it pressed since I last asked about it?". The second
// half matters: a key tapped between two polls must still be heard.
//
// Qt has no such query, so an application-wide event filter records the key
// presses and releases that reach any of our own windows. Key codes are Qt's
// (Qt::Key_A == 'A', so the letter keys are their upper-case ASCII codes),
// and a letter key is recorded by where it sits (see physicalKey).
//
// The same filter is the one place where the program reads the keyboard at
// all: a key event reaches the window system's window first, once, and only
// then travels from the focused control up through its parents. Reading it
// at that first step means every press and release is seen exactly once,
// before any control, and a window can keep a key from its controls.
//
// One recorder serves the program: the main window owns it and hands it to
// the windows that read keys. Its filter is installed once, when it is
// made, and stays: the program's windows keep keys from their controls
// through window key handlers here, never with filters of their own that
// could come in front of it.

#include <QObject>
#include <QPointer>

#include <cstdint>
#include <functional>
#include <unordered_map>
#include <utility>
#include <vector>

class QEvent;
class QKeyEvent;
class QWidget;
class QWindow;

namespace sondrake::platform {

class KeyState : public QObject {
    Q_OBJECT

public:
    // Installs itself as an event filter of the running QCoreApplication
    // (without one, only record() feeds it), and removes itself when it goes.
    explicit KeyState(QObject* parent = nullptr);
    ~KeyState() override;

    // True when the key is down now or was pressed since the last query for
    // this key; the query forgets the "pressed since" part.
    bool asyncKeyState(int key);

    // Down now, without touching the "pressed since" part.
    bool isDown(int key) const;

    // Forgets every key (used when our application loses the keyboard: the
    // releases would go to another program and never reach us).
    void clear();

    // Forgets the "pressed since" part of every key, keeping what is down:
    // a poller that was paused must not replay taps made meanwhile.
    void forgetPresses();

    // Records one event as the filter would; returns whether it was a key
    // event that changed anything. Lets tests and benchmarks feed events.
    bool record(const QEvent* event);

    // The key as the player knows it: a letter key is named by its letter on
    // a US layout wherever it sits, whatever the active layout types there
    // (under a Cyrillic layout the key left of S still plays C). Where the
    // window system gives no key position (the offscreen platform), and for
    // every other key, it is the key the event names.
    static int physicalKey(const QKeyEvent* event);

    // A window's own keys: called once for each key press, key release and
    // shortcut override that reaches the top-level widget `window`, before
    // its focused control sees it. Returning true keeps the event from the
    // control (for an override: the menu's shortcut wins). One handler per
    // window; it is dropped when the window goes or is handed an empty one.
    using WindowKeyHandler = std::function<bool(QKeyEvent* event)>;
    void setWindowKeyHandler(QWidget* window, WindowKeyHandler handler);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    WindowKeyHandler handlerFor(const QWindow* window);

    // The key event last read at its window and let through. A filter that
    // is installed while its handler runs (a tooltip's, say, inside a
    // dialog the key opened) moves ours one place down the application's
    // list, and Qt then hands the same event to us once more; it is read
    // once. Any other event in between ends the watch.
    struct ReadKey {
        const QEvent* event = nullptr;
        int type = 0;
        const QObject* window = nullptr;
    };
    ReadKey m_lastRead;

    enum : std::uint8_t { Down = 1, PressedSinceQuery = 2 };
    std::unordered_map<int, std::uint8_t> m_keys;
    std::vector<std::pair<QPointer<QWidget>, WindowKeyHandler>> m_windowHandlers;
};

} // namespace sondrake::platform
