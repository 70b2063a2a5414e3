// The editor's window: every map row becomes a named control in its group
// box, and nothing overlaps or leaves its box at the fixed window size.

#include "controls/TKnob.h"
#include "editor/EditorHost.h"
#include "editor/TfrmPatchEdit.h"
#include "midi/RecordingBackend.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>

#include "editor/EditorLayout.h"
#include "controls/TSlider.h"

using namespace sondrake;
using namespace sondrake::editor;

class TestPatchEditLayout : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        TfrmPatchEdit::setMessageBoxHook([this](QWidget*, const QString& text) { errors.append(text); });
    }

    void everyRowHasItsNamedControlInItsBox()
    {
        MemoryEditorHost host;
        TfrmPatchEdit editor(host);
        QCOMPARE(editor.objectName(), QStringLiteral("TfrmPatchEdit"));
        QCOMPARE(editor.windowTitle(), QStringLiteral("Sound Edit"));
        QCOMPARE(editor.size(), QSize(763, 671));
        QCOMPARE(editor.minimumSize(), editor.maximumSize());
        QCOMPARE(editor.PageControl1->count(), 3);
        QCOMPARE(editor.PageControl1->tabText(0), QStringLiteral("Oscillators"));
        QCOMPARE(editor.PageControl1->tabText(1), QStringLiteral("Filter && LFOs && Envelopes"));
        QCOMPARE(editor.PageControl1->tabText(2), QStringLiteral("Arpeggiator"));

        int rButtons = 0;
        for (const ParameterEntry& e : parameterMap()) {
            const QString name = QString::fromUtf8(e.control.data(), qsizetype(e.control.size()));
            auto* w = editor.findChild<QWidget*>(name);
            QVERIFY2(w, qPrintable(name));
            switch (e.kind) {
            case ControlKind::Knob:
                QVERIFY(qobject_cast<controls::TKnob*>(w));
                QCOMPARE(static_cast<controls::TKnob*>(w)->Min(), e.minimum);
                QCOMPARE(static_cast<controls::TKnob*>(w)->Max(), e.maximum);
                // Before any sound is loaded, every knob stands inside its range.
                QVERIFY2(static_cast<controls::TKnob*>(w)->Position() >= e.minimum
                        && static_cast<controls::TKnob*>(w)->Position() <= e.maximum,
                    qPrintable(name));
                break;
            case ControlKind::Slider:
                QVERIFY(w->inherits("sondrake::controls::TSlider"));
                break;
            case ControlKind::List:
                QVERIFY(qobject_cast<QComboBox*>(w));
                QCOMPARE(std::size_t(static_cast<QComboBox*>(w)->count()), e.items.size());
                break;
            case ControlKind::CheckBox:
                QVERIFY(qobject_cast<QCheckBox*>(w));
                break;
            }
            auto* box = qobject_cast<QGroupBox*>(w->parentWidget());
            QVERIFY2(box, qPrintable(name));
            QCOMPARE(box->title(), literalText(e.group));
            const int tab = editor.PageControl1->indexOf(box->parentWidget());
            QVERIFY(tab >= 0);
            QCOMPARE(editor.PageControl1->tabText(tab), literalText(e.tab));
            if (e.rButton) {
                ++rButtons;
                auto* r = editor.findChild<QPushButton*>(QStringLiteral("BitBtn%1").arg(e.rButton));
                QVERIFY2(r, qPrintable(name));
                QCOMPARE(r->text(), QStringLiteral("R"));
                QCOMPARE(r->parentWidget(), box);
                QCOMPARE(editor.BitBtn()[std::size_t(e.rButton)], r);
                // Beside its control: just right of it, level with it.
                QVERIFY2(r->x() > w->x() && r->x() - w->geometry().right() <= 3, qPrintable(name));
                QVERIFY2(r->y() >= w->y() && r->geometry().bottom() <= w->geometry().bottom() + 1, qPrintable(name));
            }
        }
        QCOMPARE(rButtons, 99);
    }

    void nothingOverlapsOrLeavesItsBox()
    {
        MemoryEditorHost host;
        TfrmPatchEdit editor(host);
        editor.show();
        QVERIFY(QTest::qWaitForWindowExposed(&editor));
        for (int t = 0; t < editor.PageControl1->count(); ++t) {
            editor.PageControl1->setCurrentIndex(t);
            QCoreApplication::processEvents();
            QWidget* page = editor.PageControl1->widget(t);
            const QList<QGroupBox*> boxes = page->findChildren<QGroupBox*>(Qt::FindDirectChildrenOnly);
            QVERIFY(!boxes.isEmpty());
            for (QGroupBox* box : boxes) {
                QVERIFY2(page->rect().contains(box->geometry()), qPrintable(box->title()));
                for (QGroupBox* other : boxes)
                    QVERIFY(box == other || !box->geometry().intersects(other->geometry()));
                QList<QWidget*> parts;
                for (QWidget* w : box->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
                    if (w->isVisibleTo(box))
                        parts.append(w);
                }
                QVERIFY(!parts.isEmpty());
                if (box->title() == QStringLiteral("Oscillator 1")) {
                    // 8 knob captions, 2 list labels: the captions are checked too.
                    QCOMPARE(std::count_if(parts.begin(), parts.end(), [](QWidget* w) { return qobject_cast<QLabel*>(w); }), 10);
                }
                const int titleBottom = box->fontMetrics().height();
                for (QWidget* w : parts) {
                    const QString what = box->title() + QLatin1Char('/') + w->objectName()
                        + (qobject_cast<QLabel*>(w) ? QLatin1Char(':') + static_cast<QLabel*>(w)->text() : QString());
                    QVERIFY2(box->rect().adjusted(1, titleBottom, -1, -1).contains(w->geometry()), qPrintable(what));
                    // Texts are not cut.
                    if (auto* l = qobject_cast<QLabel*>(w))
                        QVERIFY2(l->width() >= l->fontMetrics().horizontalAdvance(l->text()), qPrintable(what));
                    if (auto* c = qobject_cast<QCheckBox*>(w))
                        QVERIFY2(c->width() >= c->sizeHint().width(), qPrintable(what));
                    for (QWidget* o : parts)
                        QVERIFY2(w == o || !w->geometry().intersects(o->geometry()),
                            qPrintable(what + QStringLiteral(" overlaps ") + o->objectName()));
                }
            }
        }
        // The top panel's buttons show their whole captions inside the window.
        for (QPushButton* b : { editor.btnTestSound, editor.btnInitSound, editor.btnSavSoundto,
                 editor.btnSaveRandomSchema, editor.btnCreateSchemaFromCurrentSound, editor.btnRandomizeSound,
                 editor.btnRandomizeOscillators, editor.btnRandomizeFilters, editor.btnRandomizeEnvelopes,
                 editor.btnRandomizeLFOs }) {
            QVERIFY2(b->width() >= b->sizeHint().width(), qPrintable(b->text()));
            const QRect inWindow(b->mapTo(&editor, QPoint(0, 0)), b->size());
            QVERIFY2(editor.rect().contains(inWindow), qPrintable(b->text()));
            QVERIFY(!b->autoDefault());
        }
        QCOMPARE(editor.edtName->maxLength(), 16);
    }

private:
    QStringList errors;
};

QTEST_MAIN(TestPatchEditLayout)
#include "test_patchedit_layout.moc"
