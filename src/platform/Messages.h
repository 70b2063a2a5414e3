#pragma once

// The text of a line in the Messages box. The box belongs to the main
// window, and lines reach it through whoever was handed the way there: the
// window's addMessage, the editor's host, the MIDI session's and the
// transfer's signals.

#include <QString>

namespace sondrake {

// Text longer than maxLength, cut in the middle where an ellipsis stands for
// what was left out: its start and its end (often the reason) stay.
QString elideMiddle(const QString& text, qsizetype maxLength);

// The longest line the Messages box shows. Laying out one unbreakable line of
// a megabyte (a path read from a damaged settings file) freezes the window.
inline constexpr qsizetype kMaxMessageLength = 500;
// One line of the Messages box: line breaks become blanks, then cut.
QString messageLine(const QString& text);

} // namespace sondrake
