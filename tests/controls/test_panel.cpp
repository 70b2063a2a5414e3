// A panel as the editor shows it: knobs across their ranges, sliders, LEDs,
// with captions on a normal window. Checks what a person would see wrong
// first: labels in place, never over their knob. (Pictures of the real
// editor: tools/shots.)

#include "controls/CheckLed.h"
#include "controls/Knob.h"
#include "controls/Slider.h"

#include <QLabel>
#include <QtTest>

using namespace sondrake::controls;

class TestPanel : public QObject {
    Q_OBJECT
private slots:
    void panel();
};

void TestPanel::panel()
{
    QWidget window;
    window.setWindowTitle(QStringLiteral("Controls"));
    window.resize(420, 200);
    struct KnobSetup {
        int position, min, max;
        const char* caption;
    };
    const KnobSetup knobs[] = {
        { -64, -64, 63, "Detune" },
        { 0, -64, 63, "Semitone" },
        { 63, 0, 127, "Cutoff" },
        { 127, 0, 127, "Resonance" },
        { 191, 64, 191, "Keytrack" },
        { -120, -127, 127, "Amount" },
    };
    std::vector<Knob*> made;
    int x = 16;
    for (const KnobSetup& k : knobs) {
        auto* knob = new Knob(&window);
        knob->move(x, 30);
        knob->setMinimum(k.min);
        knob->setMaximum(k.max);
        knob->setValue(k.position);
        knob->setCaption(QString::fromLatin1(k.caption));
        made.push_back(knob);
        x += 56;
    }
    const int sliderValues[] = { 0, 64, 126, 127 };
    x = 16;
    for (int v : sliderValues) {
        auto* slider = new Slider(&window);
        slider->move(x, 92);
        slider->setValue(v);
        x += 36;
    }
    auto* noteSlider = new Slider(&window);
    noteSlider->move(x, 92);
    noteSlider->setDisplayMode(QStringLiteral("Note"));
    noteSlider->setValue(61);
    x += 50;
    auto* ledOn = new CheckLed(&window);
    ledOn->move(x, 110);
    ledOn->setCaption(QStringLiteral("Sync"));
    ledOn->setChecked(true);
    auto* ledOff = new CheckLed(&window);
    ledOff->move(x + 56, 110);
    ledOff->setCaption(QStringLiteral("Mono"));

    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    for (Knob* knob : made) {
        QLabel* label = knob->captionLabel();
        QVERIFY(label);
        QCOMPARE(label->parentWidget(), &window);
        QVERIFY(label->isVisible());
        QCOMPARE(label->y(), knob->y() - 14);
        QVERIFY(label->geometry().bottom() < knob->y()); // never overlaps its knob
        QVERIFY(qAbs(label->geometry().center().x() - knob->geometry().center().x()) <= 1);
    }
}

QTEST_MAIN(TestPanel)
#include "test_panel.moc"
