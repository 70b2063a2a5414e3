// The MIDI settings dialog and its command: lists, device ID, OK and Cancel.
#include "ModalTestSupport.h"
#include "midi/MidiSettingsDialog.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

using sondrake::testing::namedChild;

using namespace sondrake::midi;

namespace {

QStringList items(const QComboBox* combo)
{
    QStringList out;
    for (int i = 0; i < combo->count(); ++i)
        out << combo->itemText(i);
    return out;
}

// Runs `act` on the settings dialog once it is shown modally.
void whenShown(const std::function<void(MidiSettingsDialog&)>& act)
{
    sondrake::testing::onNextModalOf<MidiSettingsDialog>([act](MidiSettingsDialog* dlg) { act(*dlg); });
}

} // namespace

class TestSettingsDialog : public QObject {
    Q_OBJECT
    MidiDeviceChoice choice;
private slots:
    void init() { choice = MidiDeviceChoice(); }

    void creationListsOnlyTheSynthesizer()
    {
        choice.inputIndex = 9;
        choice.outputIndex = 9;
        MidiSettingsDialog dlg(nullptr, choice, {"USB Audio", "QLindorn In 1", "Through", "QLindorn In 2"},
                         {"QLindorn Out", "USB Audio"});
        QCOMPARE(dlg.windowTitle(), QString("Settings"));
        QCOMPARE(namedChild<QGroupBox>(&dlg, "grpMidi")->title(), QString("Midi"));
        QCOMPARE(namedChild<QLabel>(&dlg, "lblMidiIn")->text(), QString("Midi in"));
        QCOMPARE(namedChild<QLabel>(&dlg, "lblMidiOut")->text(), QString("Midi out"));
        QCOMPARE(namedChild<QLabel>(&dlg, "lblDeviceId")->text(), QString("Device ID"));
        QCOMPARE(namedChild<QComboBox>(&dlg, "cmbMidiIns")->width(), 265);
        QCOMPARE(namedChild<QComboBox>(&dlg, "cmbMidiOut")->width(), 265);
        QCOMPARE(namedChild<QComboBox>(&dlg, "cmbDeviceID")->width(), 65);
        QVERIFY(!namedChild<QComboBox>(&dlg, "cmbMidiIns")->isEditable() && !namedChild<QComboBox>(&dlg, "cmbDeviceID")->isEditable());

        QCOMPARE(items(namedChild<QComboBox>(&dlg, "cmbMidiIns")), (QStringList{"QLindorn In 1", "QLindorn In 2"}));
        QCOMPARE(items(namedChild<QComboBox>(&dlg, "cmbMidiOut")), QStringList{"QLindorn Out"});
        QCOMPARE(namedChild<QComboBox>(&dlg, "cmbMidiIns")->currentIndex(), 0);
        // creating the dialog already chose the last synthesizer devices
        QCOMPARE(int(choice.inputIndex), 3);
        QCOMPARE(int(choice.outputIndex), 0);
        QCOMPARE(choice.inputName, QString("QLindorn In 2")); // what a reopen looks for

        QCOMPARE(namedChild<QComboBox>(&dlg, "cmbDeviceID")->count(), 128);
        QCOMPARE(namedChild<QComboBox>(&dlg, "cmbDeviceID")->itemText(0), QString("0"));
        QCOMPARE(namedChild<QComboBox>(&dlg, "cmbDeviceID")->itemText(126), QString("126"));
        QCOMPARE(namedChild<QComboBox>(&dlg, "cmbDeviceID")->itemText(127), QString("Broadcast"));
    }

    void noDeviceAndNoMatchingDevice()
    {
        choice.inputIndex = 4;
        choice.outputIndex = 5;
        MidiSettingsDialog none(nullptr, choice, {}, {});
        QCOMPARE(items(namedChild<QComboBox>(&none, "cmbMidiIns")), QStringList{"No Device"});
        QCOMPARE(items(namedChild<QComboBox>(&none, "cmbMidiOut")), QStringList{"No Device"});
        MidiSettingsDialog other(nullptr, choice, {"USB Audio"}, {"qlindorn"});
        QVERIFY(items(namedChild<QComboBox>(&other, "cmbMidiIns")).isEmpty());
        QVERIFY(items(namedChild<QComboBox>(&other, "cmbMidiOut")).isEmpty());
        QCOMPARE(int(choice.inputIndex), 4);
        QCOMPARE(int(choice.outputIndex), 5);
    }

    void okTakesTheDeviceIdAndReopensInputThenOutput()
    {
        QStringList calls;
        MidiReopen reopen{[&] { calls << "closeIn"; }, [&] { calls << "openIn"; },
                          [&] { calls << "closeOut"; }, [&] { calls << "openOut"; }};
        choice.deviceId = 17;
        int shownId = -1;
        whenShown([&](MidiSettingsDialog& dlg) {
            shownId = namedChild<QComboBox>(&dlg, "cmbDeviceID")->currentIndex();
            namedChild<QComboBox>(&dlg, "cmbDeviceID")->setCurrentIndex(namedChild<QComboBox>(&dlg, "cmbDeviceID")->findText("Broadcast"));
            QTest::mouseClick(namedChild<QPushButton>(&dlg, "btnOk"), Qt::LeftButton);
        });
        QVERIFY(runMidiSettings(nullptr, choice, {"QLindorn"}, {"QLindorn"}, reopen));
        QCOMPARE(shownId, 17);
        QCOMPARE(int(choice.deviceId), 127);
        QCOMPARE(calls, (QStringList{"closeIn", "openIn", "closeOut", "openOut"}));

        calls.clear();
        whenShown([&](MidiSettingsDialog& dlg) {
            namedChild<QComboBox>(&dlg, "cmbDeviceID")->setCurrentIndex(5);
            QTest::mouseClick(namedChild<QPushButton>(&dlg, "btnOk"), Qt::LeftButton);
        });
        QVERIFY(runMidiSettings(nullptr, choice, {}, {}, reopen));
        QCOMPARE(int(choice.deviceId), 5);
        QCOMPARE(calls.size(), 4);
    }

    void cancelChangesNothingAndReopensNothing()
    {
        QStringList calls;
        MidiReopen reopen{[&] { calls << "closeIn"; }, [&] { calls << "openIn"; },
                          [&] { calls << "closeOut"; }, [&] { calls << "openOut"; }};
        choice.deviceId = 42;
        whenShown([&](MidiSettingsDialog& dlg) {
            namedChild<QComboBox>(&dlg, "cmbDeviceID")->setCurrentIndex(3);
            QTest::mouseClick(namedChild<QPushButton>(&dlg, "brnCancel"), Qt::LeftButton);
        });
        QVERIFY(!runMidiSettings(nullptr, choice, {"QLindorn"}, {"QLindorn"}, reopen));
        QCOMPARE(int(choice.deviceId), 42);
        QVERIFY(calls.isEmpty());
    }
};

QTEST_MAIN(TestSettingsDialog)
#include "test_settingsdialog.moc"
