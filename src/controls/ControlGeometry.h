#pragma once

// The arithmetic of the painted controls, kept free of widgets so it can be
// checked on its own.

#include "store/NoteNames.h"

#include <QPoint>
#include <QString>

#include <array>

namespace sondrake::controls {

// Digit cell indices: 0..9 are the digits, then these two.
constexpr int kCellMinus = 10;
constexpr int kCellBlank = 11;
constexpr int kCellCount = 12;

// Rounds to the nearest integer, halves to even (the default FP rounding mode).
int roundHalfEven(double v);

// End point of the knob's pointer in control coordinates: centre (16, 16),
// radius 9, a 270 degree sweep clockwise on screen from 135 degrees at min to
// 405 degrees at max. Positions outside the range extend the sweep.
// Requires min < max.
QPoint knobPointerEnd(int position, int min, int max);

// The four value cells at x = -4, 5, 14, 23: sign and three digits.
// Magnitudes of 1000 and more show as "999" with their sign.
std::array<int, 4> knobValueCells(int position);
constexpr std::array<int, 4> kKnobCellX{ -4, 5, 14, 23 };
constexpr int kKnobCellY = 34;

// Top of the slider's cap: 75 - position * 75 / (max - min + 1), truncating
// towards zero. A zero-width range (refused by the setters) gives 75.
int sliderCapTop(int position, int min, int max);

// The text of the slider's value box: the number, or with a non-empty
// display mode the note name and octave (60 -> "C5", 71 -> "H5"; negative
// positions stay plain numbers). 126 shows "Rst" and 127 "Rest" either way.
QString sliderValueText(int position, const QString& displayMode);

// The note names, index = value mod 12. The one table of the program: a
// header of plain standard C++, included by path without linking the store.
inline constexpr const auto& kNoteNameTable = sondrake::NoteNames;

} // namespace sondrake::controls
