#include "controls/ControlGeometry.h"

#include <QCoreApplication>

#include <cmath>
#include <cstdlib>
#include <numbers>

namespace sondrake::controls {

int roundHalfEven(double v)
{
    return static_cast<int>(std::nearbyint(v));
}

QPoint knobPointerEnd(int position, int min, int max)
{
    constexpr double pi = std::numbers::pi;
    // In double throughout: a wide range must not overflow int arithmetic.
    const double width = double(max) - double(min);
    const double a = (3.0 * pi / 2.0) / width * (double(position) - double(min)) + 3.0 * pi / 4.0;
    return { 16 + roundHalfEven(9.0 * std::cos(a)), 16 + roundHalfEven(9.0 * std::sin(a)) };
}

std::array<int, 4> knobValueCells(int position)
{
    long long p = std::llabs(static_cast<long long>(position));
    if (p > 999)
        p = 999; // the display has three digits; never index past the cells
    const int h = int(p / 100);
    const int t = int((p / 10) % 10);
    const int u = int(p % 10);
    const bool negative = position < 0;
    return { (negative && h != 0) ? kCellMinus : kCellBlank, h != 0 ? h : (negative ? kCellMinus : kCellBlank), t, u };
}

int sliderCapTop(int position, int min, int max)
{
    const long long width = static_cast<long long>(max) - min + 1;
    if (width == 0)
        return 75;
    return int(75 - static_cast<long long>(position) * 75 / width);
}

QString sliderValueText(int position, const QString& displayMode)
{
    if (position == 126)
        return QCoreApplication::translate("Slider", "Rst");
    if (position == 127)
        return QCoreApplication::translate("Slider", "Rest");
    if (displayMode.isEmpty() || position < 0)
        return QString::number(position);
    const std::string_view name = kNoteNameTable[static_cast<std::size_t>(position % 12)];
    return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())) + QString::number(position / 12);
}

} // namespace sondrake::controls
