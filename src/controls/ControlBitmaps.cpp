#include "controls/ControlBitmaps.h"

#include <map>
#include <QtDebug>

// Q_INIT_RESOURCE declares the initialiser in the enclosing namespace, so it
// must be called from the global one. Calling it also makes the linker keep
// the compiled resources when they come from a static library.
static void initControlResources()
{
    static const bool done = [] {
        Q_INIT_RESOURCE(controls);
        return true;
    }();
    (void)done;
}

namespace sondrake::controls {

namespace {

    QImage loadBitmap(const QString& path, qreal ratio)
    {
        QImage image(path);
        if (image.isNull())
            return image;
        image = image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                                              : QImage::Format_RGB32);
        image.setDevicePixelRatio(ratio);
        return image;
    }

} // namespace

const QImage& controlBitmap(const QString& name, qreal devicePixelRatio)
{
    initControlResources();
    // GUI thread only, like every widget. A node-based map keeps the returned
    // references valid while other bitmaps are added.
    static std::map<QString, QImage> cache;
    const bool large = devicePixelRatio > 1.0;
    const QString key = large ? name + QStringLiteral("@2x") : name;
    if (auto it = cache.find(key); it != cache.end())
        return it->second;
    QImage image = loadBitmap(QStringLiteral(":/%1.png").arg(key), large ? 2.0 : 1.0);
    if (image.isNull() && large)
        image = controlBitmap(name, 1.0);
    if (image.isNull())
        qWarning("control bitmap %s is missing", qPrintable(name));
    return cache.emplace(key, image).first->second;
}

} // namespace sondrake::controls
