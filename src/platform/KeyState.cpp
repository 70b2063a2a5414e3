#include "platform/KeyState.h"

#include <QCoreApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QPointer>

namespace sondrake::platform {

KeyState::KeyState(QObject* parent)
    : QObject(parent)
{
}

KeyState& KeyState::instance()
{
    // Owned by the application object, so it goes when the application goes;
    // a later application (tests create several) gets a fresh one.
    static QPointer<KeyState> self;
    if (!self) {
        self = new KeyState(QCoreApplication::instance());
        self->install();
    }
    return *self;
}

void KeyState::install()
{
    if (auto* app = QCoreApplication::instance()) {
        // Installing again moves the filter to the front of the list.
        app->removeEventFilter(this);
        app->installEventFilter(this);
    }
}

bool KeyState::asyncKeyState(int key)
{
    const auto it = keys_.find(key);
    if (it == keys_.end())
        return false;
    const bool result = it->second != 0;
    it->second &= static_cast<std::uint8_t>(~PressedSinceQuery);
    if (it->second == 0)
        keys_.erase(it);
    return result;
}

bool KeyState::isDown(int key) const
{
    const auto it = keys_.find(key);
    return it != keys_.end() && (it->second & Down) != 0;
}

void KeyState::clear() { keys_.clear(); }

void KeyState::forgetPresses()
{
    for (auto it = keys_.begin(); it != keys_.end();) {
        it->second &= static_cast<std::uint8_t>(~PressedSinceQuery);
        it = it->second == 0 ? keys_.erase(it) : std::next(it);
    }
}

bool KeyState::record(const QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
        const auto* key = static_cast<const QKeyEvent*>(event);
        // A held key repeats as release/press pairs; the key never went up.
        if (key->isAutoRepeat() || key->key() == 0 || key->key() == Qt::Key_unknown)
            return false;
        if (event->type() == QEvent::KeyPress) {
            keys_[key->key()] = Down | PressedSinceQuery;
        } else {
            const auto it = keys_.find(key->key());
            if (it == keys_.end())
                return false;
            it->second &= static_cast<std::uint8_t>(~Down);
            if (it->second == 0)
                keys_.erase(it);
        }
        return true;
    }
    case QEvent::ApplicationDeactivate:
        // Releases now go to another program: don't leave keys stuck down.
        if (keys_.empty())
            return false;
        clear();
        return true;
    default:
        return false;
    }
}

bool KeyState::eventFilter(QObject* watched, QEvent* event)
{
    // Only watch, never consume: the windows still get every key.
    record(event);
    return QObject::eventFilter(watched, event);
}

} // namespace sondrake::platform
