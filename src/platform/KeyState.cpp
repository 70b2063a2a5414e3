#include "platform/KeyState.h"

#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QWidget>
#include <QWindow>

#include <algorithm>

namespace sondrake::platform {

namespace {

    // X11 and Wayland give the key's position as its XKB keycode, the Linux
    // key code + 8; these are the letter keys, by their US letter.
    constexpr struct {
        quint32 keycode;
        int key;
    } kLetterPositions[] = {
        { 24, Qt::Key_Q }, { 25, Qt::Key_W }, { 26, Qt::Key_E }, { 27, Qt::Key_R }, { 28, Qt::Key_T },
        { 29, Qt::Key_Y }, { 30, Qt::Key_U }, { 31, Qt::Key_I }, { 32, Qt::Key_O }, { 33, Qt::Key_P },
        { 38, Qt::Key_A }, { 39, Qt::Key_S }, { 40, Qt::Key_D }, { 41, Qt::Key_F }, { 42, Qt::Key_G },
        { 43, Qt::Key_H }, { 44, Qt::Key_J }, { 45, Qt::Key_K }, { 46, Qt::Key_L }, { 52, Qt::Key_Z },
        { 53, Qt::Key_X }, { 54, Qt::Key_C }, { 55, Qt::Key_V }, { 56, Qt::Key_B }, { 57, Qt::Key_N },
        { 58, Qt::Key_M },
    };

    bool scanCodesAreXkbKeycodes()
    {
        const QString platform = QGuiApplication::platformName();
        return platform == QLatin1String("xcb") || platform.startsWith(QLatin1String("wayland"));
    }

} // namespace

int KeyState::physicalKey(const QKeyEvent* event)
{
    const quint32 code = event->nativeScanCode();
    if (code != 0 && scanCodesAreXkbKeycodes()) {
        for (const auto& letter : kLetterPositions)
            if (letter.keycode == code)
                return letter.key;
    }
    return event->key();
}

KeyState::KeyState(QObject* parent)
    : QObject(parent)
{
    if (auto* app = QCoreApplication::instance())
        app->installEventFilter(this);
}

KeyState::~KeyState()
{
    if (auto* app = QCoreApplication::instance())
        app->removeEventFilter(this);
}

bool KeyState::asyncKeyState(int key)
{
    const auto it = m_keys.find(key);
    if (it == m_keys.end())
        return false;
    const bool result = it->second != 0;
    it->second &= static_cast<std::uint8_t>(~PressedSinceQuery);
    if (it->second == 0)
        m_keys.erase(it);
    return result;
}

bool KeyState::isDown(int key) const
{
    const auto it = m_keys.find(key);
    return it != m_keys.end() && (it->second & Down) != 0;
}

void KeyState::clear() { m_keys.clear(); }

void KeyState::forgetPresses()
{
    for (auto it = m_keys.begin(); it != m_keys.end();) {
        it->second &= static_cast<std::uint8_t>(~PressedSinceQuery);
        it = it->second == 0 ? m_keys.erase(it) : std::next(it);
    }
}

bool KeyState::record(const QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
        const auto* key = static_cast<const QKeyEvent*>(event);
        const int code = physicalKey(key);
        // A held key repeats as release/press pairs; the key never went up.
        if (key->isAutoRepeat() || code == 0 || code == Qt::Key_unknown)
            return false;
        if (event->type() == QEvent::KeyPress) {
            m_keys[code] = Down | PressedSinceQuery;
        } else {
            const auto it = m_keys.find(code);
            if (it == m_keys.end())
                return false;
            it->second &= static_cast<std::uint8_t>(~Down);
            if (it->second == 0)
                m_keys.erase(it);
        }
        return true;
    }
    case QEvent::ApplicationDeactivate:
        // Releases now go to another program: don't leave keys stuck down.
        if (m_keys.empty())
            return false;
        clear();
        return true;
    default:
        return false;
    }
}

void KeyState::setWindowKeyHandler(QWidget* window, WindowKeyHandler handler)
{
    std::erase_if(m_windowHandlers, [window](const auto& entry) { return !entry.first || entry.first == window; });
    if (window && handler)
        m_windowHandlers.emplace_back(window, std::move(handler));
}

KeyState::WindowKeyHandler KeyState::handlerFor(const QWindow* window)
{
    for (const auto& [widget, handler] : m_windowHandlers)
        if (widget && widget->windowHandle() == window)
            return handler;
    return {};
}

bool KeyState::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    const bool againAtWindow
        = event == m_lastRead.event && int(type) == m_lastRead.type && watched == m_lastRead.window;
    m_lastRead = {};
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease && type != QEvent::ShortcutOverride) {
        record(event);
        return false;
    }
    // Past the window, the same event passes here again for the focused
    // control and for each parent it is handed on to.
    if (!watched->isWindowType() || againAtWindow)
        return false;
    record(event);
    // A copy: the handler may close its window and drop itself meanwhile.
    const WindowKeyHandler handler = handlerFor(static_cast<const QWindow*>(watched));
    const bool kept = handler && handler(static_cast<QKeyEvent*>(event));
    // Kept from the control, it goes no further, so it cannot come back.
    if (!kept)
        m_lastRead = { event, int(type), watched };
    return kept;
}

} // namespace sondrake::platform
