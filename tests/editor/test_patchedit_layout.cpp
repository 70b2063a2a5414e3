// The editor's window: every map row becomes a named control in its group
// box; nothing overlaps, leaves its box or is cut, with the usual font and
// with a large one; screen readers find every control with its name and
// value; on a small screen every control can be scrolled into view.
//
// The small screen is a second run of this program (see CMakeLists.txt):
// 1280 x 800 pixels at scale 2.

#include "patchedit_support.h"

#include "controls/Knob.h"
#include "controls/Slider.h"
#include "editor/EditorHost.h"
#include "editor/EditorLayout.h"
#include "editor/SoundEditor.h"

#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <QtTest>

#include <map>

using namespace sondrake;
using namespace sondrake::editor;
using namespace patchedit_test;

namespace {

QString qs(std::string_view s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }

QGroupBox* boxOf(QWidget* w)
{
    for (QWidget* p = w->parentWidget(); p; p = p->parentWidget()) {
        if (auto* box = qobject_cast<QGroupBox*>(p))
            return box;
    }
    return nullptr;
}

QWidget* nextTabStop(QWidget* w)
{
    QWidget* next = w->nextInFocusChain();
    while (next != w && !(next->focusPolicy() & Qt::TabFocus))
        next = next->nextInFocusChain();
    return next;
}

QRect rectIn(QWidget* w, QWidget* ancestor) { return QRect(w->mapTo(ancestor, QPoint(0, 0)), w->size()); }

// The application font for one test, put back afterwards.
struct AppFont {
    QFont saved = QApplication::font();
    explicit AppFont(int pixels)
    {
        if (pixels <= 0)
            return;
        QFont f = saved;
        f.setPixelSize(pixels);
        QApplication::setFont(f);
    }
    ~AppFont() { QApplication::setFont(saved); }
};

// Every accessible object below `iface`, by the object it stands for.
void collect(QAccessibleInterface* iface, std::map<QObject*, QAccessibleInterface*>& out, int depth = 0)
{
    if (!iface || depth > 40)
        return;
    if (QObject* o = iface->object())
        out[o] = iface;
    for (int i = 0; i < iface->childCount(); ++i)
        collect(iface->child(i), out, depth + 1);
}

} // namespace

class TestPatchEditLayout : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        session = std::make_unique<midi::MidiSession>();
        rec = midi::installRecordingBackend(*session);
    }

    void cleanup() { QVERIFY2(errors.isEmpty(), qPrintable(errors.join('\n'))); }

    void everyRowHasItsNamedControlInItsBox()
    {
        if (smallScreen())
            QSKIP("for the usual screen");
        MemoryEditorHost host;
        host.onError = [this](QWidget*, const QString& text) { errors.append(text); };
        SoundEditor editor(host);
        editor.show();
        QVERIFY(QTest::qWaitForWindowExposed(&editor));
        QTabWidget* tabs = namedChild<QTabWidget>(&editor, "PageControl1");
        QCOMPARE(editor.objectName(), QStringLiteral("TfrmPatchEdit"));
        QCOMPARE(editor.windowTitle(), QStringLiteral("Sound Edit"));
        // The usual font: the size the window always had, within a tenth.
        QVERIFY2(qAbs(editor.width() - 763) <= 76 && qAbs(editor.height() - 671) <= 67,
            qPrintable(QStringLiteral("%1 x %2").arg(editor.width()).arg(editor.height())));
        QCOMPARE(tabs->count(), 3);
        QCOMPARE(tabs->tabText(0), QStringLiteral("Oscillators"));
        QCOMPARE(tabs->tabText(1), QStringLiteral("Filter && LFOs && Envelopes"));
        QCOMPARE(tabs->tabText(2), QStringLiteral("Arpeggiator"));

        int rButtons = 0;
        for (const ParameterEntry& e : parameterMap()) {
            const QString name = qs(e.control);
            auto* w = editor.findChild<QWidget*>(name);
            QVERIFY2(w, qPrintable(name));
            switch (e.kind) {
            case ControlKind::Knob:
                QVERIFY(qobject_cast<controls::Knob*>(w));
                QCOMPARE(static_cast<controls::Knob*>(w)->minimum(), e.minimum);
                QCOMPARE(static_cast<controls::Knob*>(w)->maximum(), e.maximum);
                // Before any sound is loaded, every knob stands inside its range.
                QVERIFY2(static_cast<controls::Knob*>(w)->value() >= e.minimum
                        && static_cast<controls::Knob*>(w)->value() <= e.maximum,
                    qPrintable(name));
                break;
            case ControlKind::Slider:
                QVERIFY(w->inherits("sondrake::controls::Slider"));
                break;
            case ControlKind::List:
                QVERIFY(qobject_cast<QComboBox*>(w));
                QCOMPARE(std::size_t(static_cast<QComboBox*>(w)->count()), e.items.size());
                break;
            case ControlKind::CheckBox:
                QVERIFY(qobject_cast<QCheckBox*>(w));
                break;
            }
            QGroupBox* box = boxOf(w);
            QVERIFY2(box, qPrintable(name));
            QCOMPARE(box->title(), literalText(e.group));
            const int tab = tabs->indexOf(box->parentWidget());
            QVERIFY(tab >= 0);
            QCOMPARE(tabs->tabText(tab), literalText(e.tab));
            QVERIFY(w->focusPolicy() & Qt::TabFocus);
            if (e.rButton) {
                ++rButtons;
                auto* r = editor.findChild<QPushButton*>(QStringLiteral("BitBtn%1").arg(e.rButton));
                QVERIFY2(r, qPrintable(name));
                QCOMPARE(r->text(), QStringLiteral("R"));
                QCOMPARE(boxOf(r), box);
                QCOMPARE(editor.parameterPages().rButtons[std::size_t(e.rButton)], r);
                QVERIFY(r->focusPolicy() & Qt::TabFocus);
                // Beside its control: just right of it, level with it; Tab
                // goes from the control to its button.
                const QRect c = rectIn(w, box);
                const QRect b = rectIn(r, box);
                QVERIFY2(b.left() > c.right() && b.left() - c.right() <= 4, qPrintable(name));
                QVERIFY2(b.top() >= c.top() && b.bottom() <= c.bottom() + 1, qPrintable(name));
                QCOMPARE(nextTabStop(w), r);
            }
        }
        QCOMPARE(rButtons, 99);
        QVERIFY(tabs->tabBar()->focusPolicy() & Qt::TabFocus);
    }

    void nothingOverlapsOrIsCut_data()
    {
        QTest::addColumn<int>("fontPixels");
        QTest::newRow("usual font") << 0;
        QTest::newRow("16-pixel font") << 16;
    }

    void nothingOverlapsOrIsCut()
    {
        QFETCH(int, fontPixels);
        AppFont font(fontPixels);
        MemoryEditorHost host;
        host.onError = [this](QWidget*, const QString& text) { errors.append(text); };
        SoundEditor editor(host);
        editor.show();
        QVERIFY(QTest::qWaitForWindowExposed(&editor));
        QTabWidget* tabs = namedChild<QTabWidget>(&editor, "PageControl1");
        // No larger than the screen, whatever the font.
        QVERIFY(editor.screen()->availableGeometry().contains(QRect(QPoint(0, 0), editor.size())));
        for (int t = 0; t < tabs->count(); ++t) {
            tabs->setCurrentIndex(t);
            QCoreApplication::processEvents();
            QWidget* page = tabs->widget(t);
            const QList<QGroupBox*> boxes = page->findChildren<QGroupBox*>(Qt::FindDirectChildrenOnly);
            QVERIFY(!boxes.isEmpty());
            for (QGroupBox* box : boxes) {
                QVERIFY2(page->rect().contains(box->geometry()), qPrintable(box->title()));
                QVERIFY2(box->width() >= box->minimumSizeHint().width(), qPrintable(box->title()));
                for (QGroupBox* other : boxes)
                    QVERIFY(box == other || !box->geometry().intersects(other->geometry()));
                // Every visible part of the box: controls, labels, captions, R buttons.
                QList<QWidget*> parts;
                for (QWidget* w : box->findChildren<QWidget*>()) {
                    if (w->isVisibleTo(box) && w->objectName() != QLatin1String("focusRing")
                        && !w->objectName().startsWith(QLatin1String("cell")) && boxOf(w) == box
                        && !qobject_cast<QComboBox*>(w->parentWidget()))
                        parts.append(w);
                }
                QVERIFY(!parts.isEmpty());
                if (box->title() == QStringLiteral("Oscillator 1")) {
                    // 8 knob captions, 2 list labels: the captions are checked too.
                    QCOMPARE(std::count_if(parts.begin(), parts.end(), [](QWidget* w) { return qobject_cast<QLabel*>(w); }), 10);
                }
                const QRect inside = box->contentsRect();
                for (QWidget* w : parts) {
                    const QString what = box->title() + QLatin1Char('/') + w->objectName()
                        + (qobject_cast<QLabel*>(w) ? QLatin1Char(':') + static_cast<QLabel*>(w)->text() : QString());
                    const QRect r = rectIn(w, box);
                    QVERIFY2(inside.contains(r), qPrintable(what));
                    // Texts are not cut.
                    if (auto* l = qobject_cast<QLabel*>(w)) {
                        QVERIFY2(l->width() >= l->fontMetrics().horizontalAdvance(l->text()), qPrintable(what));
                        QVERIFY2(l->height() >= l->fontMetrics().height(), qPrintable(what));
                    }
                    if (auto* c = qobject_cast<QCheckBox*>(w))
                        QVERIFY2(c->width() >= c->sizeHint().width() && c->height() >= c->sizeHint().height(), qPrintable(what));
                    if (auto* c = qobject_cast<QComboBox*>(w))
                        QVERIFY2(c->height() >= c->minimumSizeHint().height(), qPrintable(what));
                    for (QWidget* o : parts)
                        QVERIFY2(w == o || !r.intersects(rectIn(o, box)),
                            qPrintable(what + QStringLiteral(" overlaps ") + o->objectName()));
                }
            }
        }
        // The top panel's buttons show their whole captions.
        for (const char* name : { "btnTestSound", "btnInitSound", "btnSavSoundto", "btnSaveRandomSchema",
                 "btnCreateSchemaFromCurrentSound", "btnRandomizeSound", "btnRandomizeOscillators",
                 "btnRandomizeFilters", "btnRandomizeEnvelopes", "btnRandomizeLFOs" }) {
            const QPushButton* b = namedChild<QPushButton>(&editor, name);
            QVERIFY2(b->width() >= b->sizeHint().width() && b->height() >= b->sizeHint().height(), qPrintable(b->text()));
            QVERIFY(!b->autoDefault());
        }
        QCOMPARE(namedChild<QLineEdit>(&editor, "edtName")->maxLength(), 16);
    }

    // What a screen reader finds, walking the window's accessible tree.
    void screenReadersFindEveryControl()
    {
        MemoryEditorHost host;
        host.onError = [this](QWidget*, const QString& text) { errors.append(text); };
        host.session = session.get();
        const SoundDump sound = sampleSound(7);
        auto editor = openEditorWindow(host, sound);
        std::map<QObject*, QAccessibleInterface*> found;
        collect(QAccessible::queryAccessibleInterface(editor.get()), found);

        int checked = 0;
        for (const ParameterEntry* e : schemaEntries()) {
            const QString name = qs(e->control);
            QWidget* w = editor->findChild<QWidget*>(name);
            QVERIFY2(w && found.count(w), qPrintable(name));
            QAccessibleInterface* a = found[w];
            const QString label = qs(e->group) + QLatin1Char(' ') + displayLabel(*e);
            // A list's name on this system is its value; its label comes by relation.
            if (e->kind != ControlKind::List)
                QCOMPARE(a->text(QAccessible::Name), label);
            const int value = readValue(sound, *e);
            switch (e->kind) {
            case ControlKind::Knob:
            case ControlKind::Slider: {
                QCOMPARE(a->role(), e->kind == ControlKind::Knob ? QAccessible::Dial : QAccessible::Slider);
                QAccessibleValueInterface* v = a->valueInterface();
                QVERIFY2(v, qPrintable(name));
                QCOMPARE(v->minimumValue().toInt(), e->minimum);
                QCOMPARE(v->maximumValue().toInt(), e->maximum);
                QCOMPARE(v->currentValue().toInt(), value);
                QVERIFY(!a->text(QAccessible::Description).isEmpty());
                break;
            }
            case ControlKind::List: {
                QCOMPARE(a->role(), QAccessible::ComboBox);
                QCOMPARE(a->text(QAccessible::Value), qs(e->items[std::size_t(value)]));
                const auto labels = a->relations(QAccessible::Label);
                QVERIFY2(std::any_of(labels.begin(), labels.end(),
                             [&](const auto& l) { return l.first->text(QAccessible::Name) == displayLabel(*e); }),
                    qPrintable(name));
                break;
            }
            case ControlKind::CheckBox:
                QCOMPARE(a->role(), QAccessible::CheckBox);
                QCOMPARE(a->state().checked, value != 0);
                break;
            }
            QVERIFY(a->state().focusable);
            ++checked;
        }
        QCOMPARE(checked, 99);
        QCOMPARE(found[editor->findChild<QWidget*>(QStringLiteral("BitBtn1"))]->text(QAccessible::Name),
            QStringLiteral("Allowed values of Oscillator 1 Waveform"));
        // Slider descriptions read as the value box does.
        auto* attack = editor->findChild<controls::Slider*>(QStringLiteral("sldAmpAttack"));
        attack->setValue(126);
        QCOMPARE(found[attack]->text(QAccessible::Description), QStringLiteral("Rst"));

        // A tool's new value is a step: one live message, and it stays a live edit.
        session->waitIdle(std::chrono::milliseconds(10000));
        rec->clear();
        const ParameterEntry& level = row("KnobOsc1Level");
        const int target = readValue(sound, level) == 100 ? 101 : 100;
        found[editor->findChild<QWidget*>(QStringLiteral("KnobOsc1Level"))]->valueInterface()->setCurrentValue(target);
        QTest::qWait(20);
        const std::vector<Event> events = drained(*session, *rec);
        QCOMPARE(events.size(), std::size_t(1));
        QCOMPARE(events.front(), liveEvent(level, target));
        QCOMPARE(readValue(editor->workingCopy(), level), readValue(sound, level));
    }

    void everyControlScrollsIntoView()
    {
        if (!smallScreen())
            QSKIP("runs on the small screen (see CMakeLists.txt)");
        const QScreen* screen = QGuiApplication::primaryScreen();
        QCOMPARE(screen->devicePixelRatio(), 2.0);
        QCOMPARE(screen->geometry().size(), QSize(640, 400));

        MemoryEditorHost host;
        host.onError = [this](QWidget*, const QString& text) { errors.append(text); };
        SoundEditor editor(host);
        editor.show();
        QVERIFY(QTest::qWaitForWindowExposed(&editor));
        QTabWidget* tabs = namedChild<QTabWidget>(&editor, "PageControl1");
        // The window fits the screen; its content does not, so it scrolls.
        QVERIFY(screen->availableGeometry().contains(QRect(QPoint(0, 0), editor.size())));
        QScrollArea* scroll = namedChild<QScrollArea>(&editor, "scrPatchEdit");
        QVERIFY(scroll->verticalScrollBar()->maximum() > 0);
        QWidget* viewport = scroll->viewport();

        auto reachable = [&](QWidget* w) {
            scroll->ensureWidgetVisible(w, 0, 0);
            QCoreApplication::processEvents();
            return viewport->rect().contains(rectIn(w, viewport));
        };
        for (const char* name :
            { "edtName", "btnRandomizeSound", "btnCreateSchemaFromCurrentSound", "btnRandomizeLFOs" })
            QVERIFY2(reachable(namedChild<QWidget>(&editor, name)), name);
        int seen = 0;
        for (int t = 0; t < tabs->count(); ++t) {
            tabs->setCurrentIndex(t);
            QCoreApplication::processEvents();
            for (const ParameterEntry& e : parameterMap()) {
                if (literalText(e.tab) != tabs->tabText(t))
                    continue;
                QWidget* w = editor.findChild<QWidget*>(qs(e.control));
                QVERIFY2(reachable(w), qPrintable(w->objectName()));
                if (e.rButton)
                    QVERIFY(reachable(editor.parameterPages().rButtons[std::size_t(e.rButton)]));
                ++seen;
            }
        }
        QCOMPARE(std::size_t(seen), parameterMap().size());
        // The last row of the first tab, out of reach before.
        tabs->setCurrentIndex(0);
        QVERIFY(reachable(editor.findChild<QWidget*>(QStringLiteral("ckbOsc12Sync"))));

        // Without a mouse: Tab brings every control it reaches into view.
        editor.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&editor));
        namedChild<QLineEdit>(&editor, "edtName")->setFocus();
        for (int i = 0; i < 200; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QWidget* f = QApplication::focusWidget();
            QVERIFY(f);
            QVERIFY2(viewport->isAncestorOf(f), qPrintable(QString::fromLatin1(f->metaObject()->className()) + f->objectName()));
            QVERIFY2(viewport->rect().contains(rectIn(f, viewport)), qPrintable(f->objectName()));
        }
    }

private:
    static bool smallScreen() { return qEnvironmentVariableIsSet("SONDRAKE_SMALL_SCREEN"); }

    std::unique_ptr<midi::MidiSession> session;
    std::shared_ptr<midi::RecordingBackend> rec;
    QStringList errors;
};

QTEST_MAIN(TestPatchEditLayout)
#include "test_patchedit_layout.moc"
