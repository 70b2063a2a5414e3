// Draws the bitmaps of the painted controls and writes them as PNG files,
// each at its own size (NAME.png) and at twice that size (NAME@2x.png).
//
//   make_control_bitmaps <output folder>
//
// Everything is drawn in logical pixels on a painter scaled by the factor,
// with straight edges on pixel boundaries so that both sizes stay sharp.

#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <functional>
#include <numbers>

namespace {

const QColor kPanel(30, 31, 35);
const QColor kLcdBack(166, 184, 142);
const QColor kLcdInk(26, 34, 24);

using Drawing = std::function<void(QPainter&, int scale)>;

bool write(const QString& folder, const QString& name, QSize size, bool alpha, const Drawing& draw)
{
    for (int scale : { 1, 2 }) {
        QImage image(size * scale, alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
        image.fill(alpha ? QColor(Qt::transparent) : kPanel);
        {
            QPainter p(&image);
            p.scale(scale, scale);
            draw(p, scale);
        }
        const QString file = QDir(folder).filePath(name + (scale == 2 ? "@2x.png" : ".png"));
        if (!image.save(file, "PNG")) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
            return false;
        }
    }
    return true;
}

// Seven segments on a 5 x 9 grid at (2, 2) of a 9 x 12 cell, one pixel thick.
// The minus reaches further right: in the knob's first cell, which is half
// outside the control, that part is what remains visible.
void drawDigitCell(QPainter& p, int scale, const char* segments, bool wideMinus = false)
{
    p.fillRect(QRectF(0, 0, 9, 12), kLcdBack);
    // A faint shade at the top gives the glass some depth.
    p.fillRect(QRectF(0, 0, 9, 1), kLcdBack.darker(112));
    const qreal t = 1.0;
    const struct {
        char name;
        QRectF rect;
    } all[] = {
        { 'a', QRectF(3, 2, 3, t) },
        { 'b', QRectF(6, 3, t, 3) },
        { 'c', QRectF(6, 7, t, 3) },
        { 'd', QRectF(3, 10, 3, t) },
        { 'e', QRectF(2, 7, t, 3) },
        { 'f', QRectF(2, 3, t, 3) },
        { 'g', wideMinus ? QRectF(3, 6, 5, t) : QRectF(3, 6, 3, t) },
    };
    for (const auto& s : all) {
        if (!std::strchr(segments, s.name))
            continue;
        QRectF r = s.rect;
        if (scale > 1) {
            // At twice the size the segments get bevelled ends.
            const bool horizontal = r.width() > r.height();
            QPainterPath path;
            const qreal h = 0.5;
            if (horizontal) {
                path.moveTo(r.left() - h * 0.5, r.center().y());
                path.lineTo(r.left() + h * 0.5, r.top());
                path.lineTo(r.right() - h * 0.5, r.top());
                path.lineTo(r.right() + h * 0.5, r.center().y());
                path.lineTo(r.right() - h * 0.5, r.bottom());
                path.lineTo(r.left() + h * 0.5, r.bottom());
            } else {
                path.moveTo(r.center().x(), r.top() - h * 0.5);
                path.lineTo(r.right(), r.top() + h * 0.5);
                path.lineTo(r.right(), r.bottom() - h * 0.5);
                path.lineTo(r.center().x(), r.bottom() + h * 0.5);
                path.lineTo(r.left(), r.bottom() - h * 0.5);
                path.lineTo(r.left(), r.top() + h * 0.5);
            }
            path.closeSubpath();
            p.setRenderHint(QPainter::Antialiasing, false);
            p.fillPath(path, kLcdInk);
        } else {
            p.fillRect(r, kLcdInk);
        }
    }
}

void drawKnobFace(QPainter& p, int scale)
{
    constexpr double pi = std::numbers::pi;
    // The pointer's centre is the control's pixel (16, 16), the face is drawn
    // one row down: its centre is the middle of face pixel (16, 15).
    const QPointF c(16.5, 15.5);
    p.fillRect(QRectF(0, 0, 32, 32), kPanel);
    p.setRenderHint(QPainter::Antialiasing);

    // Scale: eleven marks over the 270 degree sweep, the ends and the middle brighter.
    for (int i = 0; i <= 10; ++i) {
        const double a = 3 * pi / 4 + (3 * pi / 2) * i / 10.0;
        const bool major = i == 0 || i == 5 || i == 10;
        const double r0 = major ? 12.0 : 12.6, r1 = 14.2;
        p.setPen(QPen(major ? QColor(226, 226, 232) : QColor(140, 140, 150), major ? 1.3 : 1.0, Qt::SolidLine,
            Qt::FlatCap));
        p.drawLine(c + QPointF(r0 * std::cos(a), r0 * std::sin(a)), c + QPointF(r1 * std::cos(a), r1 * std::sin(a)));
    }

    // Ring around the knob, a shadow, the knob body with a soft top light.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(12, 12, 14));
    p.drawEllipse(c, 11.4, 11.4);
    QLinearGradient ring(c + QPointF(0, -11), c + QPointF(0, 11));
    ring.setColorAt(0, QColor(120, 120, 128));
    ring.setColorAt(1, QColor(40, 40, 46));
    p.setBrush(ring);
    p.drawEllipse(c, 10.6, 10.6);
    QRadialGradient body(c + QPointF(-3, -4), 13);
    body.setColorAt(0, QColor(88, 88, 96));
    body.setColorAt(0.6, QColor(52, 52, 58));
    body.setColorAt(1, QColor(30, 30, 34));
    p.setBrush(body);
    p.drawEllipse(c, 9.8, 9.8);

    // Minus box at the lower left, plus box at the lower right: the halves
    // of the value display below step down and up. At the single size the
    // signs sit on whole pixels, at twice the size they are centred exactly.
    p.setRenderHint(QPainter::Antialiasing, false);
    const QColor boxEdge(92, 92, 100), boxFill(40, 40, 46), sign(226, 226, 232);
    const qreal mid = scale > 1 ? 0.5 : 0.0;
    for (int side = 0; side < 2; ++side) {
        const qreal x = side == 0 ? 0 : 26;
        p.fillRect(QRectF(x, 26, 6, 6), boxEdge);
        p.fillRect(QRectF(x + 1, 27, 4, 4), boxFill);
        p.fillRect(QRectF(x + 1, 28 + mid, 4, 1), sign);
        if (side == 1)
            p.fillRect(QRectF(x + 2 + mid, 27, 1, 4), sign);
    }
}

void drawSliderBackground(QPainter& p, int)
{
    p.fillRect(QRectF(0, 0, 22, 100), kPanel);
    // Scale marks where the cap's centre line stands for 0, 16, ... 128.
    for (int k = 0; k <= 8; ++k) {
        const int v = std::min(127, k * 16);
        const qreal y = 75 - v * 75 / 128 + 4.5;
        const bool major = k % 4 == 0;
        const QColor c = major ? QColor(190, 190, 198) : QColor(110, 110, 120);
        const qreal len = major ? 5 : 3;
        p.fillRect(QRectF(1, y, len, 1), c);
        p.fillRect(QRectF(21 - len, y, len, 1), c);
    }
    // The slot the cap runs in.
    p.fillRect(QRectF(9, 4, 4, 80), QColor(50, 50, 56));
    p.fillRect(QRectF(9, 4, 4, 1), QColor(12, 12, 14));
    p.fillRect(QRectF(10, 5, 2, 78), QColor(0, 0, 0));
    // Minus and plus marks near the foot, over the halves of the value box.
    const QColor mark(200, 200, 206);
    p.fillRect(QRectF(2, 83, 4, 1), mark);
    p.fillRect(QRectF(16, 83, 4, 1), mark);
    p.fillRect(QRectF(17.5, 81.5, 1, 3), mark);
    // The value box at the foot.
    p.fillRect(QRectF(0, 85, 22, 15), Qt::black);
    p.fillRect(QRectF(1, 86, 20, 13), QColor(200, 200, 200));
}

void drawSliderFace(QPainter& p, int scale)
{
    // Transparent sides let the scale marks show next to the cap.
    const QRectF body(3, 0, 16, 10);
    QLinearGradient g(body.topLeft(), body.bottomLeft());
    g.setColorAt(0, QColor(86, 86, 94));
    g.setColorAt(0.45, QColor(44, 44, 50));
    g.setColorAt(0.55, QColor(36, 36, 40));
    g.setColorAt(1, QColor(22, 22, 26));
    p.fillRect(body, g);
    p.fillRect(QRectF(3, 0, 16, 1), QColor(120, 120, 128));
    p.fillRect(QRectF(3, 9, 16, 1), QColor(8, 8, 10));
    p.fillRect(QRectF(3, 0, 1, 10), QColor(70, 70, 78));
    p.fillRect(QRectF(18, 0, 1, 10), QColor(14, 14, 16));
    // Centre line: the value is read here. On whole pixels at the single size.
    p.fillRect(QRectF(4, scale > 1 ? 4.5 : 4, 14, 1), QColor(236, 236, 240));
}

void drawLamp(QPainter& p, int, bool on)
{
    p.fillRect(QRectF(0, 0, 32, 16), kPanel);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF oval(2.5, 2.5, 27, 11);
    p.setPen(QPen(QColor(10, 10, 12), 1));
    QRadialGradient g(oval.center() + QPointF(0, -1.5), 14);
    if (on) {
        g.setColorAt(0, QColor(255, 120, 100));
        g.setColorAt(0.5, QColor(226, 40, 30));
        g.setColorAt(1, QColor(150, 16, 14));
    } else {
        g.setColorAt(0, QColor(74, 40, 40));
        g.setColorAt(0.6, QColor(44, 24, 24));
        g.setColorAt(1, QColor(26, 16, 16));
    }
    p.setBrush(g);
    p.drawEllipse(oval);
    if (on) {
        // Red marks at both ends of the lit lamp.
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 70, 60));
        p.drawRect(QRectF(0, 7, 2, 2));
        p.drawRect(QRectF(30, 7, 2, 2));
    }
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setBold(true);
    font.setPixelSize(8);
    p.setFont(font);
    p.setPen(on ? QColor(255, 240, 232) : QColor(150, 136, 136));
    p.drawText(oval.adjusted(0, 0, 0, 0), Qt::AlignCenter, on ? QStringLiteral("ON") : QStringLiteral("OFF"));
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_control_bitmaps <output folder>\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(out);

    static const char* const digitSegments[10]
        = { "abcdef", "bc", "abdeg", "abcdg", "bcfg", "acdfg", "acdefg", "abc", "abcdefg", "abcdfg" };
    bool ok = true;
    ok &= write(out, "KNOBFACE1", QSize(32, 32), false, drawKnobFace);
    for (int d = 0; d < 10; ++d)
        ok &= write(out, QStringLiteral("KBITMAP%1").arg(d), QSize(9, 12), false,
            [d](QPainter& p, int s) { drawDigitCell(p, s, digitSegments[d]); });
    ok &= write(out, "KMINUS", QSize(9, 12), false, [](QPainter& p, int s) { drawDigitCell(p, s, "g", true); });
    ok &= write(out, "KSPACE", QSize(9, 12), false, [](QPainter& p, int s) { drawDigitCell(p, s, ""); });
    ok &= write(out, "SLIDERBACKGROUND1", QSize(22, 100), false, drawSliderBackground);
    ok &= write(out, "SLIDERFACE1", QSize(22, 10), true, drawSliderFace);
    ok &= write(out, "REDBUTTON", QSize(32, 16), false, [](QPainter& p, int s) { drawLamp(p, s, true); });
    ok &= write(out, "BLACKBUTTON", QSize(32, 16), false, [](QPainter& p, int s) { drawLamp(p, s, false); });
    return ok ? 0 : 1;
}
