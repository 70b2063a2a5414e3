#pragma once

#include <QString>

#include <functional>

namespace sondrake {

// The Messages box of the main window, reachable from every layer.
// Safe to call from any thread: lines from other threads are posted to the
// GUI thread and appear in the order they were added.
void addMessage(const QString& text);

// Installed by the main window; until then lines go to standard error.
void setMessageSink(std::function<void(const QString&)> sink);

// Text longer than maxLength, cut in the middle where an ellipsis stands for
// what was left out: its start and its end (often the reason) stay.
QString elideMiddle(const QString& text, qsizetype maxLength);

// The longest line the Messages box shows. Laying out one unbreakable line of
// a megabyte (a path read from a damaged settings file) freezes the window.
inline constexpr qsizetype kMaxMessageLength = 500;
// One line of the Messages box: line breaks become blanks, then cut.
QString messageLine(const QString& text);

} // namespace sondrake
