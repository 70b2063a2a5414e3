// The MIDI settings dialog and its command: lists, device ID, OK and Cancel.
#include "ModalTestSupport.h"
#include "midi/MidiOut.h"
#include "midi/TfrmSettings.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

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
void whenShown(const std::function<void(TfrmSettings&)>& act)
{
    sondrake::testing::onNextModalOf<TfrmSettings>([act](TfrmSettings* dlg) { act(*dlg); });
}

} // namespace

class TestSettingsDialog : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        MidiInDeviceIndex = 0;
        MidiOutDeviceIndex = 0;
        DeviceId = 0;
    }

    void creationListsOnlyTheSynthesizer()
    {
        MidiInDeviceIndex = 9;
        MidiOutDeviceIndex = 9;
        TfrmSettings dlg(nullptr, {"USB Audio", "QLindorn In 1", "Through", "QLindorn In 2"},
                         {"QLindorn Out", "USB Audio"});
        QCOMPARE(dlg.windowTitle(), QString("Settings"));
        QCOMPARE(dlg.grpMidi->title(), QString("Midi"));
        QCOMPARE(dlg.lblMidiIn->text(), QString("Midi in"));
        QCOMPARE(dlg.lblMidiOut->text(), QString("Midi out"));
        QCOMPARE(dlg.lblDeviceId->text(), QString("Device ID"));
        QCOMPARE(dlg.cmbMidiIns->width(), 265);
        QCOMPARE(dlg.cmbMidiOut->width(), 265);
        QCOMPARE(dlg.cmbDeviceID->width(), 65);
        QVERIFY(!dlg.cmbMidiIns->isEditable() && !dlg.cmbDeviceID->isEditable());

        QCOMPARE(items(dlg.cmbMidiIns), (QStringList{"QLindorn In 1", "QLindorn In 2"}));
        QCOMPARE(items(dlg.cmbMidiOut), QStringList{"QLindorn Out"});
        QCOMPARE(dlg.cmbMidiIns->currentIndex(), 0);
        // creating the dialog already chose the last synthesizer devices
        QCOMPARE(int(MidiInDeviceIndex), 3);
        QCOMPARE(int(MidiOutDeviceIndex), 0);

        QCOMPARE(dlg.cmbDeviceID->count(), 128);
        QCOMPARE(dlg.cmbDeviceID->itemText(0), QString("0"));
        QCOMPARE(dlg.cmbDeviceID->itemText(126), QString("126"));
        QCOMPARE(dlg.cmbDeviceID->itemText(127), QString("Broadcast"));
    }

    void noDeviceAndNoMatchingDevice()
    {
        MidiInDeviceIndex = 4;
        MidiOutDeviceIndex = 5;
        TfrmSettings none(nullptr, {}, {});
        QCOMPARE(items(none.cmbMidiIns), QStringList{"No Device"});
        QCOMPARE(items(none.cmbMidiOut), QStringList{"No Device"});
        TfrmSettings other(nullptr, {"USB Audio"}, {"qlindorn"});
        QVERIFY(items(other.cmbMidiIns).isEmpty());
        QVERIFY(items(other.cmbMidiOut).isEmpty());
        QCOMPARE(int(MidiInDeviceIndex), 4);
        QCOMPARE(int(MidiOutDeviceIndex), 5);
    }

    void okTakesTheDeviceIdAndReopensInputThenOutput()
    {
        QStringList calls;
        MidiReopen reopen{[&] { calls << "closeIn"; }, [&] { calls << "openIn"; },
                          [&] { calls << "closeOut"; }, [&] { calls << "openOut"; }};
        DeviceId = 17;
        int shownId = -1;
        whenShown([&](TfrmSettings& dlg) {
            shownId = dlg.cmbDeviceID->currentIndex();
            dlg.cmbDeviceID->setCurrentIndex(dlg.cmbDeviceID->findText("Broadcast"));
            QTest::mouseClick(dlg.btnOk, Qt::LeftButton);
        });
        QVERIFY(runMidiSettings(nullptr, {"QLindorn"}, {"QLindorn"}, reopen));
        QCOMPARE(shownId, 17);
        QCOMPARE(int(DeviceId), 127);
        QCOMPARE(calls, (QStringList{"closeIn", "openIn", "closeOut", "openOut"}));

        calls.clear();
        whenShown([&](TfrmSettings& dlg) {
            dlg.cmbDeviceID->setCurrentIndex(5);
            QTest::mouseClick(dlg.btnOk, Qt::LeftButton);
        });
        QVERIFY(runMidiSettings(nullptr, {}, {}, reopen));
        QCOMPARE(int(DeviceId), 5);
        QCOMPARE(calls.size(), 4);
    }

    void cancelChangesNothingAndReopensNothing()
    {
        QStringList calls;
        MidiReopen reopen{[&] { calls << "closeIn"; }, [&] { calls << "openIn"; },
                          [&] { calls << "closeOut"; }, [&] { calls << "openOut"; }};
        DeviceId = 42;
        whenShown([&](TfrmSettings& dlg) {
            dlg.cmbDeviceID->setCurrentIndex(3);
            QTest::mouseClick(dlg.brnCancel, Qt::LeftButton);
        });
        QVERIFY(!runMidiSettings(nullptr, {"QLindorn"}, {"QLindorn"}, reopen));
        QCOMPARE(int(DeviceId), 42);
        QVERIFY(calls.isEmpty());
    }
};

QTEST_MAIN(TestSettingsDialog)
#include "test_settingsdialog.moc"
