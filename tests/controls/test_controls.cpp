// The painted controls: their arithmetic, their setters' accept rules with
// the change events they fire, the mouse rules, and what lands in the
// off-screen bitmap where geometry matters.

#include "controls/ControlBitmaps.h"
#include "controls/ControlGeometry.h"
#include "controls/TCheckLed.h"
#include "controls/TKnob.h"
#include "controls/TSlider.h"

#include <QLabel>
#include <QTabWidget>
#include <QMouseEvent>
#include <QtTest>

#include <climits>
#include <stdexcept>

using namespace sondrake::controls;

namespace {

// Counts the change events of one control, through its handler.
struct Counter {
    int count = 0;
    QObject* lastSender = nullptr;
    ChangeHandler handler()
    {
        return [this](QObject* sender) {
            ++count;
            lastSender = sender;
        };
    }
};

void send(QWidget* w, QEvent::Type type, QPoint pos, Qt::MouseButton button = Qt::LeftButton)
{
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
    QMouseEvent e(type, QPointF(pos), w->mapToGlobal(QPointF(pos)), type == QEvent::MouseMove ? Qt::NoButton : button,
        held, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &e);
}
void press(QWidget* w, QPoint pos, Qt::MouseButton b = Qt::LeftButton) { send(w, QEvent::MouseButtonPress, pos, b); }
void move(QWidget* w, QPoint pos) { send(w, QEvent::MouseMove, pos); }
void release(QWidget* w, QPoint pos) { send(w, QEvent::MouseButtonRelease, pos); }

bool sameRgb(QRgb a, QColor b) { return QColor(a).rgb() == b.rgb(); }

// Whether the w x h block of the bitmap at (x, y) equals the image.
bool blockEquals(const QImage& bitmap, int x, int y, const QImage& image)
{
    for (int j = 0; j < image.height(); ++j)
        for (int i = 0; i < image.width(); ++i)
            if (QColor(bitmap.pixel(x + i, y + j)).rgb() != QColor(image.pixel(i, j)).rgb())
                return false;
    return true;
}

} // namespace

class TestControls : public QObject {
    Q_OBJECT
private slots:
    void pointerGeometry();
    void pointerPixels();
    void valueCells();
    void valueCellPixels();
    void knobSetters();
    void knobLoadOrder();
    void knobDrag();
    void knobStepClicks();
    void sliderSetters();
    void sliderCapAndBox();
    void sliderDrag();
    void sliderStepClicks();
    void sliderValueTexts();
    void ledCaptionAndStatus();
    void ledMouse();
    void paintsFireOnceEach();
    void handlerMaySetProperties();
    void handlerFailureStaysInside();
    void captionLabel();
};

void TestControls::pointerGeometry()
{
    // At Min the pointer points lower left, in the middle straight up, at Max lower right.
    QCOMPARE(knobPointerEnd(0, 0, 127), QPoint(10, 22));
    QCOMPARE(knobPointerEnd(0, -10, 10), QPoint(16, 7));
    QCOMPARE(knobPointerEnd(127, 0, 127), QPoint(22, 22));
    QCOMPARE(knobPointerEnd(-64, -64, 63), QPoint(10, 22));
    // Below Min (Min raised after Position was set) it goes past the start.
    QCOMPARE(knobPointerEnd(63, 64, 191), QPoint(10, 23));
    QCOMPARE(knobPointerEnd(0, 64, 191), QPoint(25, 16));
    // A huge range must not overflow.
    QCOMPARE(knobPointerEnd(INT_MIN, INT_MIN, INT_MAX), QPoint(10, 22));
    // Halves go to the even neighbour.
    QCOMPARE(roundHalfEven(4.5), 4);
    QCOMPARE(roundHalfEven(5.5), 6);
    QCOMPARE(roundHalfEven(-4.5), -4);
    QCOMPARE(roundHalfEven(-6.4), -6);
}

void TestControls::pointerPixels()
{
    const QColor tip(80, 30, 30);
    const QColor stem(171, 171, 174);
    TKnob knob;
    QVERIFY(qFuzzyCompare(knob.bitmap().devicePixelRatio(), 1.0));
    knob.setPosition(0);
    QVERIFY(sameRgb(knob.bitmap().pixel(10, 22), tip));
    QVERIFY(sameRgb(knob.bitmap().pixel(13, 19), stem));
    QVERIFY(!sameRgb(knob.bitmap().pixel(22, 22), tip));
    knob.setPosition(127);
    QVERIFY(sameRgb(knob.bitmap().pixel(22, 22), tip));
    QVERIFY(!sameRgb(knob.bitmap().pixel(10, 22), tip));
    knob.setMax(10); // Position stays 127, above the new Max
    knob.setMin(-10);
    QCOMPARE(knob.Position(), 127);
    knob.setPosition(0);
    QVERIFY(sameRgb(knob.bitmap().pixel(16, 7), tip));
    QVERIFY(sameRgb(knob.bitmap().pixel(16, 11), stem));

    // Frame on the outermost pixels.
    const QColor frame(32, 12, 12);
    for (QPoint p : { QPoint(0, 0), QPoint(31, 0), QPoint(0, 47), QPoint(31, 47), QPoint(0, 40), QPoint(31, 40) })
        QVERIFY2(sameRgb(knob.bitmap().pixel(p), frame), qPrintable(QStringLiteral("%1,%2").arg(p.x()).arg(p.y())));
}

void TestControls::valueCells()
{
    using C = std::array<int, 4>;
    const int B = CellBlank, M = CellMinus;
    QCOMPARE(knobValueCells(5), (C{ B, B, 0, 5 }));
    QCOMPARE(knobValueCells(-5), (C{ B, M, 0, 5 }));
    QCOMPARE(knobValueCells(0), (C{ B, B, 0, 0 }));
    QCOMPARE(knobValueCells(127), (C{ B, 1, 2, 7 }));
    QCOMPARE(knobValueCells(-64), (C{ B, M, 6, 4 }));
    QCOMPARE(knobValueCells(-120), (C{ M, 1, 2, 0 }));
    QCOMPARE(knobValueCells(191), (C{ B, 1, 9, 1 }));
    QCOMPARE(knobValueCells(999), (C{ B, 9, 9, 9 }));
    QCOMPARE(knobValueCells(1000), (C{ B, 9, 9, 9 }));
    QCOMPARE(knobValueCells(-1000), (C{ M, 9, 9, 9 }));
    QCOMPARE(knobValueCells(INT_MIN), (C{ M, 9, 9, 9 }));
    QCOMPARE(knobValueCells(INT_MAX), (C{ B, 9, 9, 9 }));
}

void TestControls::valueCellPixels()
{
    auto cell = [](const char* name) { return controlBitmap(QString::fromLatin1(name), 1.0); };
    QVERIFY(!cell("KBITMAP0").isNull());
    QCOMPARE(cell("KBITMAP0").size(), QSize(9, 12));
    QCOMPARE(cell("KNOBFACE1").size(), QSize(32, 32));

    TKnob knob;
    knob.setMin(-128);
    knob.setMax(1200);
    knob.setPosition(127);
    const QImage& b = knob.bitmap();
    QVERIFY(blockEquals(b, 5, 34, cell("KBITMAP1")));
    QVERIFY(blockEquals(b, 14, 34, cell("KBITMAP2")));
    QVERIFY(blockEquals(b, 23, 34, cell("KBITMAP7").copy(0, 0, 8, 12))); // column 31 is the frame
    QVERIFY(blockEquals(b, 1, 34, cell("KSPACE").copy(5, 0, 4, 12)));
    knob.setPosition(-5);
    QVERIFY(blockEquals(b, 5, 34, cell("KMINUS")));
    QVERIFY(blockEquals(b, 14, 34, cell("KBITMAP0")));
    knob.setPosition(-120);
    QVERIFY(blockEquals(b, 1, 34, cell("KMINUS").copy(5, 0, 4, 12)));
    QVERIFY(blockEquals(b, 5, 34, cell("KBITMAP1")));
    knob.setPosition(1000);
    QVERIFY(blockEquals(b, 5, 34, cell("KBITMAP9")));
    QVERIFY(blockEquals(b, 14, 34, cell("KBITMAP9")));
    // The face sits one row down.
    QVERIFY(blockEquals(b, 1, 1, cell("KNOBFACE1").copy(1, 0, 8, 8)));
}

void TestControls::knobSetters()
{
    TKnob knob;
    QCOMPARE(knob.size(), QSize(32, 48));
    knob.resize(100, 100);
    QCOMPARE(knob.size(), QSize(32, 48));
    QCOMPARE(knob.Position(), 63);
    QCOMPARE(knob.Min(), 0);
    QCOMPARE(knob.Max(), 127);
    QCOMPARE(knob.Channel(), quint8(0));
    QVERIFY(knob.Caption().isEmpty());

    Counter c;
    knob.setOnChange(c.handler());
    QSignalSpy spy(&knob, &TKnob::changed);
    const int draws = knob.drawCount();

    knob.setPosition(200);
    knob.setPosition(-1);
    knob.setPosition(63);
    QCOMPARE(c.count, 0);
    QCOMPARE(knob.Position(), 63);
    QCOMPARE(knob.drawCount(), draws);

    knob.setPosition(100);
    QCOMPARE(c.count, 1);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(c.lastSender, &knob);

    knob.setMin(200);
    knob.setMin(127);
    knob.setMin(0);
    QCOMPARE(knob.Min(), 0);
    knob.setMin(10);
    QCOMPARE(knob.Min(), 10);
    QCOMPARE(c.count, 2);

    knob.setMax(-5);
    knob.setMax(10);
    knob.setMax(127);
    QCOMPARE(knob.Max(), 127);
    QCOMPARE(c.count, 2);
    knob.setMax(50);
    QCOMPARE(knob.Max(), 50);
    QCOMPARE(knob.Position(), 100); // not adjusted
    QCOMPARE(c.count, 3);

    knob.setCaption(QStringLiteral("Cutoff"));
    knob.setCaption(QStringLiteral("Cutoff"));
    QCOMPARE(c.count, 4);

    knob.setChannel(16);
    knob.setChannel(-1);
    QCOMPARE(knob.Channel(), quint8(0));
    knob.setChannel(15);
    QCOMPARE(knob.Channel(), quint8(15));
    QCOMPARE(c.count, 4);
    QCOMPARE(spy.count(), 4);
    QCOMPARE(knob.drawCount(), draws + 4);
}

void TestControls::knobLoadOrder()
{
    // Properties applied in load order: Position against the default range,
    // then the knob's own Min and Max. 63 stays below a Min of 64.
    TKnob knob;
    knob.setPosition(63);
    knob.setMin(64);
    knob.setMax(191);
    QCOMPARE(knob.Position(), 63);
    QVERIFY(sameRgb(knob.bitmap().pixel(10, 23), QColor(80, 30, 30)));
}

void TestControls::knobDrag()
{
    TKnob knob;
    knob.setMin(-64);
    knob.setMax(63);
    knob.setPosition(0);
    Counter c;
    knob.setOnChange(c.handler());

    press(&knob, QPoint(16, 20));
    QVERIFY(knob.dragging());
    QCOMPARE(c.count, 0);
    int changed = 0, unchanged = 0;
    for (int y = 19; y >= -50; --y) {
        const int before = knob.Position();
        const int events = c.count;
        move(&knob, QPoint(16, y));
        const bool moved = knob.Position() != before;
        QCOMPARE(c.count - events, moved ? 2 : 1);
        (moved ? changed : unchanged)++;
    }
    QCOMPARE(knob.Position(), 63);
    QCOMPARE(changed, 63);
    QCOMPARE(unchanged, 7);
    // Back down to below the press point: clamps at Min.
    move(&knob, QPoint(16, 200));
    QCOMPARE(knob.Position(), -64);
    const int events = c.count;
    release(&knob, QPoint(16, 200));
    QVERIFY(!knob.dragging());
    QCOMPARE(c.count, events + 1);
    // Moves after the release do nothing.
    move(&knob, QPoint(16, 0));
    QCOMPARE(knob.Position(), -64);
    QCOMPARE(c.count, events + 1);
}

void TestControls::knobStepClicks()
{
    TKnob knob;
    knob.setPosition(127);
    Counter c;
    knob.setOnChange(c.handler());

    press(&knob, QPoint(20, 40)); // right half of the digits at Max
    QCOMPARE(knob.Position(), 127);
    QCOMPARE(c.count, 1);
    QVERIFY(!knob.dragging());
    release(&knob, QPoint(20, 40));
    QCOMPARE(c.count, 2);
    press(&knob, QPoint(15, 32), Qt::RightButton); // any button, left half
    QCOMPARE(knob.Position(), 126);

    knob.setPosition(0);
    c.count = 0;
    press(&knob, QPoint(0, 47));
    QCOMPARE(knob.Position(), 0);
    QCOMPARE(c.count, 1);
    press(&knob, QPoint(16, 47));
    QCOMPARE(knob.Position(), 1);
    press(&knob, QPoint(16, 31)); // on the dial: starts a drag, no step
    QCOMPARE(knob.Position(), 1);
    QVERIFY(knob.dragging());
    QCOMPARE(c.count, 2);

    TKnob below; // 63 below a raised Min
    below.setMin(64);
    below.setMax(191);
    press(&below, QPoint(2, 40));
    QCOMPARE(below.Position(), 63);
    press(&below, QPoint(30, 40));
    QCOMPARE(below.Position(), 64);
}

void TestControls::sliderSetters()
{
    TSlider slider;
    QCOMPARE(slider.size(), QSize(22, 100));
    QCOMPARE(slider.Position(), 0);
    QCOMPARE(slider.Min(), 0);
    QCOMPARE(slider.Max(), 127);
    Counter c;
    slider.setOnChange(c.handler());

    slider.setPosition(128);
    slider.setPosition(-1);
    slider.setPosition(0);
    QCOMPARE(c.count, 0);
    slider.setPosition(64);
    QCOMPARE(c.count, 1);
    QCOMPARE(c.lastSender, &slider);

    slider.setMin(256);
    slider.setMin(-256);
    slider.setMin(128); // Max - Min + 1 would be zero
    QCOMPARE(slider.Min(), 0);
    QCOMPARE(c.count, 1);
    slider.setMin(100); // above Max is allowed, only zero width is not
    QCOMPARE(slider.Min(), 100);
    QCOMPARE(slider.Position(), 64);
    QCOMPARE(c.count, 2);
    slider.setMin(-255);
    QCOMPARE(c.count, 3);

    slider.setMax(256);
    slider.setMax(-256);
    slider.setMax(-256);
    QCOMPARE(slider.Max(), 127);
    TSlider narrow;
    narrow.setMax(-1); // zero width with Min 0
    QCOMPARE(narrow.Max(), 127);
    narrow.setMax(0);
    QCOMPARE(narrow.Max(), 0);

    slider.setDisplayMode(QStringLiteral("Note"));
    QCOMPARE(slider.DisplayMode(), QStringLiteral("Note"));
    QCOMPARE(c.count, 3);
}

void TestControls::sliderCapAndBox()
{
    QCOMPARE(sliderCapTop(0, 0, 127), 75);
    QCOMPARE(sliderCapTop(64, 0, 127), 38);
    QCOMPARE(sliderCapTop(127, 0, 127), 1);
    QCOMPARE(sliderCapTop(-10, -10, 127), 80); // -750 / 138 truncates to -5
    QCOMPARE(sliderCapTop(5, 10, 9), 75);       // zero width: no division

    const QColor line(236, 236, 240);
    TSlider slider;
    const QImage& b = slider.bitmap();
    QVERIFY(sameRgb(b.pixel(11, 79), line));
    QVERIFY(sameRgb(b.pixel(11, 42), Qt::black)); // the slot, uncovered
    slider.setPosition(64);
    QVERIFY(sameRgb(b.pixel(11, 42), line));
    slider.setPosition(127);
    QVERIFY(sameRgb(b.pixel(11, 5), line));
    // Value box: black border around grey.
    for (QPoint p : { QPoint(0, 90), QPoint(21, 90), QPoint(10, 85), QPoint(10, 99) })
        QVERIFY(sameRgb(b.pixel(p), Qt::black));
    QVERIFY(sameRgb(b.pixel(2, 97), QColor(200, 200, 200)));
}

void TestControls::sliderDrag()
{
    TSlider slider;
    Counter c;
    slider.setOnChange(c.handler());
    press(&slider, QPoint(11, 50));
    QVERIFY(slider.dragging());
    QCOMPARE(c.count, 0);
    for (int y = 49; y >= 40; --y)
        move(&slider, QPoint(11, y)); // one pixel per move never changes it
    QCOMPARE(slider.Position(), 0);
    QCOMPARE(c.count, 0);
    for (int i = 1; i <= 5; ++i) {
        move(&slider, QPoint(11, 40 - 3 * i)); // three pixels: two steps
        QCOMPARE(slider.Position(), 2 * i);
        QCOMPARE(c.count, i);
    }
    move(&slider, QPoint(11, 25)); // same Y: nothing
    QCOMPARE(c.count, 5);
    move(&slider, QPoint(11, 28)); // down three: -2
    QCOMPARE(slider.Position(), 8);
    move(&slider, QPoint(11, 30)); // down two: -4/3 truncates to -1
    QCOMPARE(slider.Position(), 7);
    move(&slider, QPoint(11, -1000));
    QCOMPARE(slider.Position(), 127);
    move(&slider, QPoint(11, 1000));
    QCOMPARE(slider.Position(), 0);
    const int events = c.count;
    release(&slider, QPoint(11, 1000));
    QVERIFY(!slider.dragging());
    QCOMPARE(c.count, events);
    move(&slider, QPoint(11, 0));
    QCOMPARE(slider.Position(), 0);
}

void TestControls::sliderStepClicks()
{
    TSlider slider;
    Counter c;
    slider.setOnChange(c.handler());
    press(&slider, QPoint(5, 90)); // left half at 0
    QCOMPARE(slider.Position(), 0);
    QCOMPARE(c.count, 1);
    QVERIFY(!slider.dragging());
    press(&slider, QPoint(11, 85));
    QCOMPARE(slider.Position(), 1);
    QCOMPARE(c.count, 2);
    release(&slider, QPoint(11, 85));
    QCOMPARE(c.count, 2);
    slider.setPosition(127);
    press(&slider, QPoint(21, 99));
    QCOMPARE(slider.Position(), 127);
    QCOMPARE(c.count, 4);
    press(&slider, QPoint(10, 99));
    QCOMPARE(slider.Position(), 126);
    press(&slider, QPoint(10, 84)); // the track: a drag, no step
    QCOMPARE(slider.Position(), 126);
    QVERIFY(slider.dragging());

    // The clicks keep within the slider's own range as well.
    TSlider small;
    small.setMax(63);
    small.setPosition(63);
    press(&small, QPoint(15, 90));
    QCOMPARE(small.Position(), 63);
    TSlider wide;
    wide.setMin(-10);
    press(&wide, QPoint(2, 90));
    QCOMPARE(wide.Position(), 0);
}

void TestControls::sliderValueTexts()
{
    const QString plain;
    const QString note = QStringLiteral("Note");
    QCOMPARE(sliderValueText(125, plain), QStringLiteral("125"));
    QCOMPARE(sliderValueText(126, plain), QStringLiteral("Rst"));
    QCOMPARE(sliderValueText(127, plain), QStringLiteral("Rest"));
    QCOMPARE(sliderValueText(0, plain), QStringLiteral("0"));
    QCOMPARE(sliderValueText(-5, plain), QStringLiteral("-5"));
    QCOMPARE(sliderValueText(60, note), QStringLiteral("C5"));
    QCOMPARE(sliderValueText(61, note), QStringLiteral("C#5"));
    QCOMPARE(sliderValueText(71, note), QStringLiteral("H5"));
    QCOMPARE(sliderValueText(0, note), QStringLiteral("C0"));
    QCOMPARE(sliderValueText(125, note), QStringLiteral("F10"));
    QCOMPARE(sliderValueText(126, note), QStringLiteral("Rst"));
    QCOMPARE(sliderValueText(127, note), QStringLiteral("Rest"));
    QCOMPARE(sliderValueText(-13, note), QStringLiteral("-13"));
    QCOMPARE(sliderValueText(-255, note), QStringLiteral("-255"));
}

void TestControls::ledCaptionAndStatus()
{
    TCheckLed led;
    QCOMPARE(led.size(), QSize(32, 16));
    QCOMPARE(led.Caption(), QStringLiteral("Instrument"));
    QVERIFY(!led.Status());
    Counter c;
    led.setOnChange(c.handler());

    const QString forty = QStringLiteral("0123456789abcdefghijklmnopqrstuvwxyzABCD");
    int draws = led.drawCount();
    led.setCaption(forty);
    QCOMPARE(led.Caption(), forty.left(32));
    QCOMPARE(led.drawCount(), ++draws);
    led.setCaption(forty);
    led.setCaption(forty.left(32));
    QCOMPARE(led.drawCount(), draws);

    const QImage red = controlBitmap(QStringLiteral("REDBUTTON"), 1.0);
    const QImage black = controlBitmap(QStringLiteral("BLACKBUTTON"), 1.0);
    QVERIFY(blockEquals(led.bitmap(), 1, 1, black.copy(1, 1, 30, 14)));
    led.setStatus(true);
    QVERIFY(led.Status());
    QCOMPARE(led.drawCount(), ++draws);
    QVERIFY(blockEquals(led.bitmap(), 1, 1, red.copy(1, 1, 30, 14)));
    QVERIFY(sameRgb(led.bitmap().pixel(0, 0), QColor(120, 40, 40)));
    led.setStatus(true);
    QCOMPARE(led.drawCount(), draws);
    QCOMPARE(c.count, 0);

    led.setChannel(16);
    QCOMPARE(led.Channel(), quint8(0));
    led.setChannel(9);
    QCOMPARE(led.Channel(), quint8(9));
    QCOMPARE(c.count, 0);
}

void TestControls::ledMouse()
{
    QWidget window;
    auto* led = new TCheckLed(&window);
    led->setStatus(true);
    Counter c;
    led->setOnChange(c.handler());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    led->repaint(); // a repaint never fires the LED's event
    QCOMPARE(c.count, 0);

    press(led, QPoint(5, 5));
    QVERIFY(!led->Status());
    QCOMPARE(c.count, 1);
    QCOMPARE(c.lastSender, led);
    QVERIFY(blockEquals(led->bitmap(), 1, 1, controlBitmap(QStringLiteral("BLACKBUTTON"), 1.0).copy(1, 1, 30, 14)));
    release(led, QPoint(5, 5));
    press(led, QPoint(30, 14), Qt::MiddleButton);
    QVERIFY(led->Status());
    QCOMPARE(c.count, 2);
}

void TestControls::paintsFireOnceEach()
{
    QWidget window;
    auto* knob = new TKnob(&window);
    auto* slider = new TSlider(&window);
    slider->move(40, 0);
    Counter k, s;
    knob->setOnChange(k.handler());
    slider->setOnChange(s.handler());

    // Hidden: the change is drawn and reported at once, and only once.
    knob->setPosition(10);
    slider->setPosition(10);
    QCoreApplication::processEvents();
    QCOMPARE(k.count, 1);
    QCOMPARE(s.count, 1);

    // Showing paints, and that paint reports again.
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTRY_VERIFY(k.count >= 2);
    QTRY_VERIFY(s.count >= 2);
    QTest::qWait(20);
    k.count = s.count = 0;

    // Visible: the setter's paint reports once, its copy to the screen does not.
    knob->setPosition(11);
    slider->setPosition(11);
    QCOMPARE(k.count, 1);
    QCOMPARE(s.count, 1);
    QTest::qWait(50);
    QCOMPARE(k.count, 1);
    QCOMPARE(s.count, 1);

    // A paint asked for from outside draws and reports once.
    knob->repaint();
    slider->repaint();
    QCOMPARE(k.count, 2);
    QCOMPARE(s.count, 2);

    // A knob on a tab in the back reports its loaded value at once, and again
    // when its tab comes to the front.
    QTabWidget tabs;
    tabs.addTab(new QWidget, QStringLiteral("Front"));
    auto* page = new QWidget;
    tabs.addTab(page, QStringLiteral("Back"));
    auto* hidden = new TKnob(page);
    Counter h;
    hidden->setOnChange(h.handler());
    tabs.show();
    QVERIFY(QTest::qWaitForWindowExposed(&tabs));
    hidden->setPosition(20);
    QCOMPARE(h.count, 1);
    QTest::qWait(20);
    QCOMPARE(h.count, 1);
    tabs.setCurrentIndex(1);
    QTRY_COMPARE(h.count, 2);
}

void TestControls::handlerMaySetProperties()
{
    QWidget window;
    auto* knob = new TKnob(&window);
    std::vector<int> seen;
    knob->setOnChange([&](QObject* sender) {
        auto* self = qobject_cast<TKnob*>(sender);
        seen.push_back(self->Position());
        if (self->Position() == 10)
            self->setPosition(20);
    });
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTest::qWait(20);
    seen.clear();
    knob->setPosition(10);
    QCOMPARE(seen, (std::vector<int>{ 10, 20 }));
    QCOMPARE(knob->Position(), 20);
    QCOMPARE(knobValueCells(20)[2], 2);
    QVERIFY(blockEquals(knob->bitmap(), 14, 34, controlBitmap(QStringLiteral("KBITMAP2"), 1.0)));
    QTest::qWait(50);
    QCOMPARE(seen.size(), size_t(2));
    // During a window paint too.
    knob->setPosition(5);
    QTest::qWait(50);
    seen.clear();
    knob->setOnChange([&](QObject*) {
        seen.push_back(knob->Position());
        if (knob->Position() == 5)
            knob->setPosition(10);
    });
    knob->repaint();
    QCOMPARE(seen, (std::vector<int>{ 5, 10 }));
    QTest::qWait(50);
    QCOMPARE(seen.size(), size_t(2));
}

void TestControls::handlerFailureStaysInside()
{
    TKnob knob;
    knob.setOnChange([](QObject*) { throw std::runtime_error("port gone"); });
    QSignalSpy spy(&knob, &TKnob::changed);
    QTest::ignoreMessage(QtWarningMsg, "change handler failed: port gone");
    knob.setPosition(1);
    QCOMPARE(knob.Position(), 1);
    QCOMPARE(spy.count(), 1);
    QTest::ignoreMessage(QtWarningMsg, "change handler failed: port gone");
    press(&knob, QPoint(20, 40));
    QCOMPARE(knob.Position(), 2);
}

void TestControls::captionLabel()
{
    QWidget window;
    window.resize(200, 200);
    auto* knob = new TKnob(&window);
    knob->move(50, 60);
    knob->setCaption(QStringLiteral("Cutoff"));
    QPointer<QLabel> label = knob->captionLabel();
    QVERIFY(label);
    QCOMPARE(label->parentWidget(), &window);
    QCOMPARE(label->text(), QStringLiteral("Cutoff"));
    const int w = QFontMetrics(label->font()).horizontalAdvance(QStringLiteral("Cutoff"));
    QCOMPARE(label->pos(), QPoint(50 + 16 - w / 2, 46));
    QCOMPARE(label->palette().color(QPalette::WindowText), QColor(Qt::black));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(label->isVisible());

    knob->move(100, 100);
    QCOMPARE(label->pos(), QPoint(100 + 16 - w / 2, 86));
    knob->hide();
    QVERIFY(!label->isVisible());
    knob->show();
    QVERIFY(label->isVisible());

    // A knob without a parent never shows its label as a window of its own.
    TKnob loose;
    loose.setCaption(QStringLiteral("Loose"));
    QVERIFY(!loose.captionLabel()->isVisible());
    QVERIFY(loose.captionLabel()->isHidden());
    loose.setParent(&window);
    loose.show();
    QCOMPARE(loose.captionLabel()->parentWidget(), &window);
    QVERIFY(loose.captionLabel()->isVisible());

    delete knob; // the label goes with its knob
    QVERIFY(label.isNull());

    TCheckLed led(&window);
    QCOMPARE(led.captionLabel()->text(), QStringLiteral("Instrument"));
    QVERIFY(TSlider(&window).captionLabel() == nullptr);
}

QTEST_MAIN(TestControls)
#include "test_controls.moc"
