// The painted controls: their arithmetic, their setters' accept rules with
// the change events they fire, the mouse rules, and what lands in the
// off-screen bitmap where geometry matters.

#include "controls/ControlBitmaps.h"
#include "controls/ControlGeometry.h"
#include "controls/CheckLed.h"
#include "controls/Knob.h"
#include "controls/Slider.h"

#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QLabel>
#include <QLineEdit>
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

// A wheel turn over the middle of the control; returns whether it was taken.
bool wheel(QWidget* w, int angle, bool inverted = false)
{
    const QPointF at(w->width() / 2, w->height() / 2);
    QWheelEvent e(at, w->mapToGlobal(at), QPoint(), QPoint(0, angle), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
        inverted);
    QCoreApplication::sendEvent(w, &e);
    return e.isAccepted();
}

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
    void keysAndWheelStepWithinTheRange();
    void ledSpaceToggles();
    void focusShowsAndNeverFires();
    void assistiveTools();
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
    Knob knob;
    QVERIFY(qFuzzyCompare(knob.bitmap().devicePixelRatio(), 1.0));
    knob.setValue(0);
    QVERIFY(sameRgb(knob.bitmap().pixel(10, 22), tip));
    QVERIFY(sameRgb(knob.bitmap().pixel(13, 19), stem));
    QVERIFY(!sameRgb(knob.bitmap().pixel(22, 22), tip));
    knob.setValue(127);
    QVERIFY(sameRgb(knob.bitmap().pixel(22, 22), tip));
    QVERIFY(!sameRgb(knob.bitmap().pixel(10, 22), tip));
    knob.setMaximum(10); // Position stays 127, above the new Max
    knob.setMinimum(-10);
    QCOMPARE(knob.value(), 127);
    knob.setValue(0);
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
    const int B = kCellBlank, M = kCellMinus;
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

    Knob knob;
    knob.setMinimum(-128);
    knob.setMaximum(1200);
    knob.setValue(127);
    const QImage& b = knob.bitmap();
    QVERIFY(blockEquals(b, 5, 34, cell("KBITMAP1")));
    QVERIFY(blockEquals(b, 14, 34, cell("KBITMAP2")));
    QVERIFY(blockEquals(b, 23, 34, cell("KBITMAP7").copy(0, 0, 8, 12))); // column 31 is the frame
    QVERIFY(blockEquals(b, 1, 34, cell("KSPACE").copy(5, 0, 4, 12)));
    knob.setValue(-5);
    QVERIFY(blockEquals(b, 5, 34, cell("KMINUS")));
    QVERIFY(blockEquals(b, 14, 34, cell("KBITMAP0")));
    knob.setValue(-120);
    QVERIFY(blockEquals(b, 1, 34, cell("KMINUS").copy(5, 0, 4, 12)));
    QVERIFY(blockEquals(b, 5, 34, cell("KBITMAP1")));
    knob.setValue(1000);
    QVERIFY(blockEquals(b, 5, 34, cell("KBITMAP9")));
    QVERIFY(blockEquals(b, 14, 34, cell("KBITMAP9")));
    // The face sits one row down.
    QVERIFY(blockEquals(b, 1, 1, cell("KNOBFACE1").copy(1, 0, 8, 8)));
}

void TestControls::knobSetters()
{
    Knob knob;
    QCOMPARE(knob.size(), QSize(32, 48));
    knob.resize(100, 100);
    QCOMPARE(knob.size(), QSize(32, 48));
    QCOMPARE(knob.value(), 63);
    QCOMPARE(knob.minimum(), 0);
    QCOMPARE(knob.maximum(), 127);
    QCOMPARE(knob.channel(), quint8(0));
    QVERIFY(knob.caption().isEmpty());

    Counter c;
    knob.setOnChange(c.handler());
    QSignalSpy spy(&knob, &Knob::changed);
    const int draws = knob.drawCount();

    knob.setValue(200);
    knob.setValue(-1);
    knob.setValue(63);
    QCOMPARE(c.count, 0);
    QCOMPARE(knob.value(), 63);
    QCOMPARE(knob.drawCount(), draws);

    knob.setValue(100);
    QCOMPARE(c.count, 1);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(c.lastSender, &knob);

    knob.setMinimum(200);
    knob.setMinimum(127);
    knob.setMinimum(0);
    QCOMPARE(knob.minimum(), 0);
    knob.setMinimum(10);
    QCOMPARE(knob.minimum(), 10);
    QCOMPARE(c.count, 2);

    knob.setMaximum(-5);
    knob.setMaximum(10);
    knob.setMaximum(127);
    QCOMPARE(knob.maximum(), 127);
    QCOMPARE(c.count, 2);
    knob.setMaximum(50);
    QCOMPARE(knob.maximum(), 50);
    QCOMPARE(knob.value(), 100); // not adjusted
    QCOMPARE(c.count, 3);

    knob.setCaption(QStringLiteral("Cutoff"));
    knob.setCaption(QStringLiteral("Cutoff"));
    QCOMPARE(c.count, 4);

    knob.setChannel(16);
    knob.setChannel(-1);
    QCOMPARE(knob.channel(), quint8(0));
    knob.setChannel(15);
    QCOMPARE(knob.channel(), quint8(15));
    QCOMPARE(c.count, 4);
    QCOMPARE(spy.count(), 4);
    QCOMPARE(knob.drawCount(), draws + 4);
}

void TestControls::knobLoadOrder()
{
    // Properties applied in load order: Position against the default range,
    // then the knob's own Min and Max. 63 stays below a Min of 64.
    Knob knob;
    knob.setValue(63);
    knob.setMinimum(64);
    knob.setMaximum(191);
    QCOMPARE(knob.value(), 63);
    QVERIFY(sameRgb(knob.bitmap().pixel(10, 23), QColor(80, 30, 30)));
}

void TestControls::knobDrag()
{
    Knob knob;
    knob.setMinimum(-64);
    knob.setMaximum(63);
    knob.setValue(0);
    Counter c;
    knob.setOnChange(c.handler());

    press(&knob, QPoint(16, 20));
    QVERIFY(knob.dragging());
    QCOMPARE(c.count, 0);
    int changed = 0, unchanged = 0;
    for (int y = 19; y >= -50; --y) {
        const int before = knob.value();
        const int events = c.count;
        move(&knob, QPoint(16, y));
        const bool moved = knob.value() != before;
        QCOMPARE(c.count - events, moved ? 2 : 1);
        (moved ? changed : unchanged)++;
    }
    QCOMPARE(knob.value(), 63);
    QCOMPARE(changed, 63);
    QCOMPARE(unchanged, 7);
    // Back down to below the press point: clamps at Min.
    move(&knob, QPoint(16, 200));
    QCOMPARE(knob.value(), -64);
    const int events = c.count;
    release(&knob, QPoint(16, 200));
    QVERIFY(!knob.dragging());
    QCOMPARE(c.count, events + 1);
    // Moves after the release do nothing.
    move(&knob, QPoint(16, 0));
    QCOMPARE(knob.value(), -64);
    QCOMPARE(c.count, events + 1);
}

void TestControls::knobStepClicks()
{
    Knob knob;
    knob.setValue(127);
    Counter c;
    knob.setOnChange(c.handler());

    press(&knob, QPoint(20, 40)); // right half of the digits at Max
    QCOMPARE(knob.value(), 127);
    QCOMPARE(c.count, 1);
    QVERIFY(!knob.dragging());
    release(&knob, QPoint(20, 40));
    QCOMPARE(c.count, 2);
    press(&knob, QPoint(15, 32), Qt::RightButton); // any button, left half
    QCOMPARE(knob.value(), 126);

    knob.setValue(0);
    c.count = 0;
    press(&knob, QPoint(0, 47));
    QCOMPARE(knob.value(), 0);
    QCOMPARE(c.count, 1);
    press(&knob, QPoint(16, 47));
    QCOMPARE(knob.value(), 1);
    press(&knob, QPoint(16, 31)); // on the dial: starts a drag, no step
    QCOMPARE(knob.value(), 1);
    QVERIFY(knob.dragging());
    QCOMPARE(c.count, 2);

    Knob below; // 63 below a raised Min
    below.setMinimum(64);
    below.setMaximum(191);
    press(&below, QPoint(2, 40));
    QCOMPARE(below.value(), 63);
    press(&below, QPoint(30, 40));
    QCOMPARE(below.value(), 64);
}

void TestControls::sliderSetters()
{
    Slider slider;
    QCOMPARE(slider.size(), QSize(22, 100));
    QCOMPARE(slider.value(), 0);
    QCOMPARE(slider.minimum(), 0);
    QCOMPARE(slider.maximum(), 127);
    Counter c;
    slider.setOnChange(c.handler());

    slider.setValue(128);
    slider.setValue(-1);
    slider.setValue(0);
    QCOMPARE(c.count, 0);
    slider.setValue(64);
    QCOMPARE(c.count, 1);
    QCOMPARE(c.lastSender, &slider);

    slider.setMinimum(256);
    slider.setMinimum(-256);
    slider.setMinimum(128); // Max - Min + 1 would be zero
    QCOMPARE(slider.minimum(), 0);
    QCOMPARE(c.count, 1);
    slider.setMinimum(100); // above Max is allowed, only zero width is not
    QCOMPARE(slider.minimum(), 100);
    QCOMPARE(slider.value(), 64);
    QCOMPARE(c.count, 2);
    slider.setMinimum(-255);
    QCOMPARE(c.count, 3);

    slider.setMaximum(256);
    slider.setMaximum(-256);
    slider.setMaximum(-256);
    QCOMPARE(slider.maximum(), 127);
    Slider narrow;
    narrow.setMaximum(-1); // zero width with Min 0
    QCOMPARE(narrow.maximum(), 127);
    narrow.setMaximum(0);
    QCOMPARE(narrow.maximum(), 0);

    slider.setDisplayMode(QStringLiteral("Note"));
    QCOMPARE(slider.displayMode(), QStringLiteral("Note"));
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
    Slider slider;
    const QImage& b = slider.bitmap();
    QVERIFY(sameRgb(b.pixel(11, 79), line));
    QVERIFY(sameRgb(b.pixel(11, 42), Qt::black)); // the slot, uncovered
    slider.setValue(64);
    QVERIFY(sameRgb(b.pixel(11, 42), line));
    slider.setValue(127);
    QVERIFY(sameRgb(b.pixel(11, 5), line));
    // Value box: black border around grey.
    for (QPoint p : { QPoint(0, 90), QPoint(21, 90), QPoint(10, 85), QPoint(10, 99) })
        QVERIFY(sameRgb(b.pixel(p), Qt::black));
    QVERIFY(sameRgb(b.pixel(2, 97), QColor(200, 200, 200)));
}

void TestControls::sliderDrag()
{
    Slider slider;
    Counter c;
    slider.setOnChange(c.handler());
    press(&slider, QPoint(11, 50));
    QVERIFY(slider.dragging());
    QCOMPARE(c.count, 0);
    for (int y = 49; y >= 40; --y)
        move(&slider, QPoint(11, y)); // one pixel per move never changes it
    QCOMPARE(slider.value(), 0);
    QCOMPARE(c.count, 0);
    for (int i = 1; i <= 5; ++i) {
        move(&slider, QPoint(11, 40 - 3 * i)); // three pixels: two steps
        QCOMPARE(slider.value(), 2 * i);
        QCOMPARE(c.count, i);
    }
    move(&slider, QPoint(11, 25)); // same Y: nothing
    QCOMPARE(c.count, 5);
    move(&slider, QPoint(11, 28)); // down three: -2
    QCOMPARE(slider.value(), 8);
    move(&slider, QPoint(11, 30)); // down two: -4/3 truncates to -1
    QCOMPARE(slider.value(), 7);
    move(&slider, QPoint(11, -1000));
    QCOMPARE(slider.value(), 127);
    move(&slider, QPoint(11, 1000));
    QCOMPARE(slider.value(), 0);
    const int events = c.count;
    release(&slider, QPoint(11, 1000));
    QVERIFY(!slider.dragging());
    QCOMPARE(c.count, events);
    move(&slider, QPoint(11, 0));
    QCOMPARE(slider.value(), 0);
}

void TestControls::sliderStepClicks()
{
    Slider slider;
    Counter c;
    slider.setOnChange(c.handler());
    press(&slider, QPoint(5, 90)); // left half at 0
    QCOMPARE(slider.value(), 0);
    QCOMPARE(c.count, 1);
    QVERIFY(!slider.dragging());
    press(&slider, QPoint(11, 85));
    QCOMPARE(slider.value(), 1);
    QCOMPARE(c.count, 2);
    release(&slider, QPoint(11, 85));
    QCOMPARE(c.count, 2);
    slider.setValue(127);
    press(&slider, QPoint(21, 99));
    QCOMPARE(slider.value(), 127);
    QCOMPARE(c.count, 4);
    press(&slider, QPoint(10, 99));
    QCOMPARE(slider.value(), 126);
    press(&slider, QPoint(10, 84)); // the track: a drag, no step
    QCOMPARE(slider.value(), 126);
    QVERIFY(slider.dragging());

    // The clicks keep within the slider's own range as well.
    Slider small;
    small.setMaximum(63);
    small.setValue(63);
    press(&small, QPoint(15, 90));
    QCOMPARE(small.value(), 63);
    Slider wide;
    wide.setMinimum(-10);
    press(&wide, QPoint(2, 90));
    QCOMPARE(wide.value(), 0);
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
    CheckLed led;
    QCOMPARE(led.size(), QSize(32, 16));
    QCOMPARE(led.caption(), QStringLiteral("Instrument"));
    QVERIFY(!led.isChecked());
    Counter c;
    led.setOnChange(c.handler());

    const QString forty = QStringLiteral("0123456789abcdefghijklmnopqrstuvwxyzABCD");
    int draws = led.drawCount();
    led.setCaption(forty);
    QCOMPARE(led.caption(), forty.left(32));
    QCOMPARE(led.drawCount(), ++draws);
    led.setCaption(forty);
    led.setCaption(forty.left(32));
    QCOMPARE(led.drawCount(), draws);

    const QImage red = controlBitmap(QStringLiteral("REDBUTTON"), 1.0);
    const QImage black = controlBitmap(QStringLiteral("BLACKBUTTON"), 1.0);
    QVERIFY(blockEquals(led.bitmap(), 1, 1, black.copy(1, 1, 30, 14)));
    led.setChecked(true);
    QVERIFY(led.isChecked());
    QCOMPARE(led.drawCount(), ++draws);
    QVERIFY(blockEquals(led.bitmap(), 1, 1, red.copy(1, 1, 30, 14)));
    QVERIFY(sameRgb(led.bitmap().pixel(0, 0), QColor(120, 40, 40)));
    led.setChecked(true);
    QCOMPARE(led.drawCount(), draws);
    QCOMPARE(c.count, 0);

    led.setChannel(16);
    QCOMPARE(led.channel(), quint8(0));
    led.setChannel(9);
    QCOMPARE(led.channel(), quint8(9));
    QCOMPARE(c.count, 0);
}

void TestControls::ledMouse()
{
    QWidget window;
    auto* led = new CheckLed(&window);
    led->setChecked(true);
    Counter c;
    led->setOnChange(c.handler());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    led->repaint(); // a repaint never fires the LED's event
    QCOMPARE(c.count, 0);

    press(led, QPoint(5, 5));
    QVERIFY(!led->isChecked());
    QCOMPARE(c.count, 1);
    QCOMPARE(c.lastSender, led);
    QVERIFY(blockEquals(led->bitmap(), 1, 1, controlBitmap(QStringLiteral("BLACKBUTTON"), 1.0).copy(1, 1, 30, 14)));
    release(led, QPoint(5, 5));
    press(led, QPoint(30, 14), Qt::MiddleButton);
    QVERIFY(led->isChecked());
    QCOMPARE(c.count, 2);
}

void TestControls::paintsFireOnceEach()
{
    QWidget window;
    auto* knob = new Knob(&window);
    auto* slider = new Slider(&window);
    slider->move(40, 0);
    Counter k, s;
    knob->setOnChange(k.handler());
    slider->setOnChange(s.handler());

    // Hidden: the change is drawn and reported at once, and only once.
    knob->setValue(10);
    slider->setValue(10);
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
    knob->setValue(11);
    slider->setValue(11);
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
    auto* hidden = new Knob(page);
    Counter h;
    hidden->setOnChange(h.handler());
    tabs.show();
    QVERIFY(QTest::qWaitForWindowExposed(&tabs));
    hidden->setValue(20);
    QCOMPARE(h.count, 1);
    QTest::qWait(20);
    QCOMPARE(h.count, 1);
    tabs.setCurrentIndex(1);
    QTRY_COMPARE(h.count, 2);
}

void TestControls::handlerMaySetProperties()
{
    QWidget window;
    auto* knob = new Knob(&window);
    std::vector<int> seen;
    knob->setOnChange([&](QObject* sender) {
        auto* self = qobject_cast<Knob*>(sender);
        seen.push_back(self->value());
        if (self->value() == 10)
            self->setValue(20);
    });
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTest::qWait(20);
    seen.clear();
    knob->setValue(10);
    QCOMPARE(seen, (std::vector<int>{ 10, 20 }));
    QCOMPARE(knob->value(), 20);
    QCOMPARE(knobValueCells(20)[2], 2);
    QVERIFY(blockEquals(knob->bitmap(), 14, 34, controlBitmap(QStringLiteral("KBITMAP2"), 1.0)));
    QTest::qWait(50);
    QCOMPARE(seen.size(), size_t(2));
    // During a window paint too.
    knob->setValue(5);
    QTest::qWait(50);
    seen.clear();
    knob->setOnChange([&](QObject*) {
        seen.push_back(knob->value());
        if (knob->value() == 5)
            knob->setValue(10);
    });
    knob->repaint();
    QCOMPARE(seen, (std::vector<int>{ 5, 10 }));
    QTest::qWait(50);
    QCOMPARE(seen.size(), size_t(2));
}

void TestControls::handlerFailureStaysInside()
{
    Knob knob;
    knob.setOnChange([](QObject*) { throw std::runtime_error("port gone"); });
    QSignalSpy spy(&knob, &Knob::changed);
    QTest::ignoreMessage(QtWarningMsg, "change handler failed: port gone");
    knob.setValue(1);
    QCOMPARE(knob.value(), 1);
    QCOMPARE(spy.count(), 1);
    QTest::ignoreMessage(QtWarningMsg, "change handler failed: port gone");
    press(&knob, QPoint(20, 40));
    QCOMPARE(knob.value(), 2);
}

void TestControls::captionLabel()
{
    QWidget window;
    window.resize(200, 200);
    auto* knob = new Knob(&window);
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
    Knob loose;
    loose.setCaption(QStringLiteral("Loose"));
    QVERIFY(!loose.captionLabel()->isVisible());
    QVERIFY(loose.captionLabel()->isHidden());
    loose.setParent(&window);
    loose.show();
    QCOMPARE(loose.captionLabel()->parentWidget(), &window);
    QVERIFY(loose.captionLabel()->isVisible());

    delete knob; // the label goes with its knob
    QVERIFY(label.isNull());

    CheckLed led(&window);
    QCOMPARE(led.captionLabel()->text(), QStringLiteral("Instrument"));
    QVERIFY(Slider(&window).captionLabel() == nullptr);
}

void TestControls::keysAndWheelStepWithinTheRange()
{
    QWidget window;
    auto* knob = new Knob(&window);
    knob->setMinimum(-64);
    knob->setMaximum(63);
    knob->setValue(0);
    auto* slider = new Slider(&window);
    slider->move(50, 0);
    slider->setValue(64);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTest::qWait(20);

    for (PaintedControl* control : std::initializer_list<PaintedControl*> { knob, slider }) {
        const int lo = control->rangeMinimum();
        const int hi = control->rangeMaximum();
        Counter c;
        control->setOnChange(c.handler());
        std::vector<int> sent;
        control->setOnChange([&](QObject* s) {
            c.handler()(s);
            sent.push_back(static_cast<PaintedControl*>(s)->rangeValue());
        });
        auto key = [&](Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) {
            sent.clear();
            QTest::keyClick(control, k, m);
            QTest::qWait(10); // the copy to the screen fires nothing more
            return sent;
        };
        using V = std::vector<int>;
        QCOMPARE(key(Qt::Key_Home), V { lo });
        QCOMPARE(key(Qt::Key_Down), V {}); // at Min: nothing changes, nothing fires
        QCOMPARE(key(Qt::Key_PageDown), V {});
        QCOMPARE(key(Qt::Key_Up), V { lo + 1 });
        QCOMPARE(key(Qt::Key_Right), V { lo + 2 });
        QCOMPARE(key(Qt::Key_Left), V { lo + 1 });
        QCOMPARE(key(Qt::Key_PageUp), V { lo + 11 });
        QCOMPARE(key(Qt::Key_Up, Qt::KeypadModifier), V { lo + 12 });
        QCOMPARE(key(Qt::Key_Up, Qt::ControlModifier), V {}); // the window's keys
        QCOMPARE(key(Qt::Key_End), V { hi });
        QCOMPARE(key(Qt::Key_Up), V {});
        QCOMPARE(key(Qt::Key_PageUp), V {});
        QCOMPARE(key(Qt::Key_PageDown), V { hi - 10 });
        QCOMPARE(key(Qt::Key_PageUp), V { hi }); // cut at Max, not past it
        QCOMPARE(control->rangeValue(), hi);

        // The wheel: one step per notch, each fired once; parts of a notch add up.
        sent.clear();
        QVERIFY(wheel(control, -120));
        QCOMPARE(sent, (V { hi - 1 }));
        QVERIFY(wheel(control, -240));
        QCOMPARE(sent, (V { hi - 1, hi - 2, hi - 3 }));
        QVERIFY(wheel(control, 60));
        QCOMPARE(control->rangeValue(), hi - 3);
        QVERIFY(wheel(control, 60));
        QCOMPARE(control->rangeValue(), hi - 2);
        QVERIFY(wheel(control, -120, true)); // reversed scrolling: the value follows the wheel
        QCOMPARE(control->rangeValue(), hi - 1);
        sent.clear();
        QVERIFY(wheel(control, 480)); // never past Max
        QCOMPARE(sent, (V { hi }));
        // At the end the turn is left to the page (it scrolls), and nothing fires.
        QVERIFY(!wheel(control, 120));
        QCOMPARE(sent.size(), std::size_t(1));
        QCOMPARE(control->rangeValue(), hi);
        // ... and leaves no part of a notch behind.
        QVERIFY(wheel(control, -60));
        QCOMPARE(control->rangeValue(), hi);
        control->setOnChange({});
    }
    // A slider whose Min is above its Max takes no step.
    Slider odd;
    odd.setMinimum(10);
    odd.setMaximum(5);
    const int before = odd.value();
    QTest::keyClick(&odd, Qt::Key_Up);
    QTest::keyClick(&odd, Qt::Key_End);
    QCOMPARE(odd.value(), before);
}

void TestControls::ledSpaceToggles()
{
    CheckLed led;
    Counter c;
    led.setOnChange(c.handler());
    QTest::keyClick(&led, Qt::Key_Space);
    QVERIFY(led.isChecked());
    QCOMPARE(c.count, 1);
    // Held down, the key repeats: still one toggle.
    QTest::sendKeyEvent(QTest::Press, &led, Qt::Key_Space, QStringLiteral(" "), Qt::NoModifier);
    QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "), true);
    QCoreApplication::sendEvent(&led, &repeat);
    QVERIFY(!led.isChecked());
    QCOMPARE(c.count, 2);
    // Arrows and the wheel leave a lamp alone.
    QTest::keyClick(&led, Qt::Key_Up);
    QVERIFY(!wheel(&led, 120));
    QVERIFY(!led.isChecked());
    QCOMPARE(c.count, 2);
}

void TestControls::focusShowsAndNeverFires()
{
    QWidget window;
    auto* before = new QLineEdit(&window);
    before->setGeometry(0, 0, 60, 20);
    auto* knob = new Knob(&window);
    knob->move(10, 40);
    auto* slider = new Slider(&window);
    slider->move(60, 40);
    auto* led = new CheckLed(&window);
    led->move(100, 60);
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QTest::qWait(20);
    Counter k, s, l;
    knob->setOnChange(k.handler());
    slider->setOnChange(s.handler());
    led->setOnChange(l.handler());
    const int draws = knob->drawCount() + slider->drawCount() + led->drawCount();

    before->setFocus();
    for (PaintedControl* control : std::initializer_list<PaintedControl*> { knob, slider, led }) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QTRY_VERIFY(control->hasFocus());
        QVERIFY(control->focusRing() && control->focusRing()->isVisible());
        QCOMPARE(control->focusRing()->parentWidget(), &window);
        // Around the control, never over it.
        QVERIFY(control->focusRing()->geometry().contains(control->geometry()));
        QVERIFY(!control->focusRing()->mask().intersects(
            QRect(control->geometry().topLeft() - control->focusRing()->pos(), control->size())));
    }
    QTest::keyClick(led, Qt::Key_Tab);
    QTRY_VERIFY(!led->hasFocus());
    QVERIFY(!led->focusRing()->isVisible());
    // A click takes the focus too.
    QTest::mouseClick(knob, Qt::LeftButton, Qt::NoModifier, QPoint(16, 10));
    QVERIFY(knob->hasFocus());
    QVERIFY(knob->focusRing()->isVisible());
    QTest::qWait(50);
    // Focus came and went: no control painted again, so none fired.
    QCOMPARE(knob->drawCount() + slider->drawCount() + led->drawCount(), draws);
    QCOMPARE(k.count, 1); // the release of the click on the dial
    QCOMPARE(s.count, 0);
    QCOMPARE(l.count, 0);
    // The ring follows a moving control.
    knob->move(20, 50);
    QCOMPARE(knob->focusRing()->geometry().center(), knob->geometry().center());
}

void TestControls::assistiveTools()
{
    QWidget window;
    auto* knob = new Knob(&window);
    knob->setMinimum(-64);
    knob->setMaximum(63);
    knob->setValue(-12);
    knob->setCaption(QStringLiteral("Semitone"));
    auto* slider = new Slider(&window);
    slider->setDisplayMode(QStringLiteral("Note"));
    slider->setValue(60);
    slider->setAccessibleName(QStringLiteral("Amp Envelope Attack"));
    auto* led = new CheckLed(&window);
    led->setCaption(QStringLiteral("Sync"));

    QAccessibleInterface* k = QAccessible::queryAccessibleInterface(knob);
    QAccessibleInterface* sl = QAccessible::queryAccessibleInterface(slider);
    QAccessibleInterface* l = QAccessible::queryAccessibleInterface(led);
    QVERIFY(k && sl && l);
    QCOMPARE(k->role(), QAccessible::Dial);
    QCOMPARE(sl->role(), QAccessible::Slider);
    QCOMPARE(l->role(), QAccessible::CheckBox);
    // Name: the accessible name, else the caption; description: what is shown.
    QCOMPARE(k->text(QAccessible::Name), QStringLiteral("Semitone"));
    QCOMPARE(k->text(QAccessible::Description), QStringLiteral("-12"));
    QCOMPARE(sl->text(QAccessible::Name), QStringLiteral("Amp Envelope Attack"));
    QCOMPARE(sl->text(QAccessible::Description), QStringLiteral("C5"));
    slider->setValue(126);
    QCOMPARE(sl->text(QAccessible::Description), QStringLiteral("Rst"));
    QCOMPARE(l->text(QAccessible::Name), QStringLiteral("Sync"));
    QVERIFY(l->state().checkable && !l->state().checked);
    QVERIFY(k->state().focusable);

    QAccessibleValueInterface* kv = k->valueInterface();
    QVERIFY(kv);
    QVERIFY(!l->valueInterface());
    QCOMPARE(kv->currentValue().toInt(), -12);
    QCOMPARE(kv->minimumValue().toInt(), -64);
    QCOMPARE(kv->maximumValue().toInt(), 63);
    QCOMPARE(kv->minimumStepSize().toInt(), 1);

    Counter c;
    knob->setOnChange(c.handler());
    // Setting the value from a tool is a step: one change event.
    kv->setCurrentValue(5);
    QCOMPARE(knob->value(), 5);
    QCOMPARE(c.count, 1);
    kv->setCurrentValue(5); // the same value: nothing
    kv->setCurrentValue(QStringLiteral("loud")); // not a number: nothing
    QCOMPARE(c.count, 1);
    kv->setCurrentValue(1e12); // far out: the end of the range
    QCOMPARE(knob->value(), 63);
    QCOMPARE(c.count, 2);
    k->actionInterface()->doAction(QAccessibleActionInterface::decreaseAction());
    QCOMPARE(knob->value(), 62);
    QCOMPARE(c.count, 3);
    QCOMPARE(k->text(QAccessible::Description), QStringLiteral("62"));

    Counter lc;
    led->setOnChange(lc.handler());
    l->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    QVERIFY(led->isChecked());
    QVERIFY(l->state().checked);
    QCOMPARE(lc.count, 1);
    // A disabled control takes nothing from a tool.
    led->setEnabled(false);
    l->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    knob->setEnabled(false);
    kv->setCurrentValue(0);
    QVERIFY(led->isChecked());
    QCOMPARE(knob->value(), 62);
    QCOMPARE(lc.count, 1);
    QCOMPARE(c.count, 3);
}

QTEST_MAIN(TestControls)
#include "test_controls.moc"
