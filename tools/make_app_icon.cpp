// Draws the program's icon: a knob with its value arc on the dark panel of
// the controls, as sondrake.svg and as sondrake-N.png for the sizes the
// desktop's icon theme asks for.
//
//   make_app_icon <output folder>
//
// One drawing in a 256 x 256 space serves every size; the smallest sizes leave
// out the scale marks, which would only blur there.

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QRegularExpression>
#include <QSvgGenerator>

#include <cmath>
#include <cstdio>
#include <numbers>

namespace {

const QColor kPanelTop(58, 60, 68);
const QColor kPanelBottom(24, 25, 29);
const QColor kAccent(166, 184, 142); // the value display's glass
const QColor kPointer(232, 84, 60);

void drawIcon(QPainter& p, int pixels)
{
    constexpr double pi = std::numbers::pi;
    const bool small = pixels < 32;
    p.setRenderHint(QPainter::Antialiasing);

    // The panel: a rounded square with a light top edge.
    const QRectF panel(8, 8, 240, 240);
    QLinearGradient shade(panel.topLeft(), panel.bottomLeft());
    shade.setColorAt(0, kPanelTop);
    shade.setColorAt(1, kPanelBottom);
    p.setPen(QPen(QColor(14, 14, 16), 4));
    p.setBrush(shade);
    p.drawRoundedRect(panel, 44, 44);

    const QPointF c(128, 136);
    const double start = 225; // degrees, counter-clockwise from 3 o'clock
    const double sweep = -270;
    const double value = 0.68;

    // The value arc: the whole sweep faint, the part up to the value bright.
    const double arcRadius = small ? 92 : 88;
    const QRectF arc(c.x() - arcRadius, c.y() - arcRadius, 2 * arcRadius, 2 * arcRadius);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(16, 17, 20), small ? 30 : 22, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(arc, int(start * 16), int(sweep * 16));
    p.setPen(QPen(kAccent, small ? 30 : 22, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(arc, int(start * 16), int(sweep * value * 16));

    // Scale marks between arc and knob.
    if (!small) {
        for (int i = 0; i <= 10; ++i) {
            const double a = (start + sweep * i / 10.0) * pi / 180;
            const QPointF dir(std::cos(a), -std::sin(a));
            p.setPen(QPen(QColor(200, 200, 208), i % 5 == 0 ? 6 : 4, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(c + dir * 62, c + dir * 70);
        }
    }

    // The knob: a dark rim, a body lit from the upper left.
    const double knob = small ? 66 : 54;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(10, 10, 12));
    p.drawEllipse(c, knob + 4, knob + 4);
    QRadialGradient body(c + QPointF(-knob * 0.35, -knob * 0.45), knob * 1.5);
    body.setColorAt(0, QColor(120, 122, 132));
    body.setColorAt(0.55, QColor(62, 63, 70));
    body.setColorAt(1, QColor(30, 30, 34));
    p.setBrush(body);
    p.drawEllipse(c, knob, knob);

    // The pointer, at the value.
    const double a = (start + sweep * value) * pi / 180;
    const QPointF dir(std::cos(a), -std::sin(a));
    p.setPen(QPen(kPointer, small ? 18 : 12, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(c + dir * (knob * 0.25), c + dir * (knob * 0.85));
}

bool writePng(const QString& folder, int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter p(&image);
        p.scale(size / 256.0, size / 256.0);
        drawIcon(p, size);
    }
    const QString file = QDir(folder).filePath(QStringLiteral("sondrake-%1.png").arg(size));
    if (!image.save(file, "PNG")) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
        return false;
    }
    return true;
}

bool writeSvg(const QString& folder)
{
    const QString file = QDir(folder).filePath(QStringLiteral("sondrake.svg"));
    QSvgGenerator svg;
    svg.setFileName(file);
    svg.setSize(QSize(256, 256));
    svg.setViewBox(QRect(0, 0, 256, 256));
    svg.setTitle(QStringLiteral("Sondrake"));
    svg.setDescription(QStringLiteral("A knob with its value arc"));
    QPainter p;
    if (!p.begin(&svg)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
        return false;
    }
    drawIcon(p, 256);
    if (!p.end())
        return false;
    // The generator gives the size in millimetres; icon themes expect pixels.
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    QString text = QString::fromUtf8(f.readAll());
    f.close();
    text.replace(QRegularExpression(QStringLiteral("width=\"[0-9.]+mm\" height=\"[0-9.]+mm\"")),
        QStringLiteral("width=\"256\" height=\"256\""));
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(text.toUtf8()) > 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_app_icon <output folder>\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(out);
    bool ok = writeSvg(out);
    for (int size : { 16, 22, 24, 32, 48, 64, 128, 256 })
        ok &= writePng(out, size);
    return ok ? 0 : 1;
}
