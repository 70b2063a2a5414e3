#pragma once

// The control bitmaps live in the program's resources as ":/NAME.png", with
// a twice-as-large ":/NAME@2x.png" for screens of device pixel ratio above 1.
// They are loaded once and shared by every control (QImage is implicitly
// shared), already converted to a format that draws fast.

#include <QImage>
#include <QString>

namespace sondrake::controls {

// The bitmap NAME for the given device pixel ratio; the returned image
// carries its own device pixel ratio (1 or 2), so drawing it at a logical
// point gives its logical size. A missing resource yields a null image
// (and one warning), which draws nothing.
const QImage& controlBitmap(const QString& name, qreal devicePixelRatio);

} // namespace sondrake::controls
