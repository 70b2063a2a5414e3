// Choosing the MIDI devices by name.
#include "midi/PortDetection.h"

#include <QtTest>

using namespace sondrake::midi;

class TestPortDetection : public QObject {
    Q_OBJECT
private slots:
    void lastMatchWins_data()
    {
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<int>("expected");
        QTest::newRow("interface then synth") << QStringList{"USB Audio Device", "QLindorn MIDI 1"} << 1;
        QTest::newRow("synth then interface") << QStringList{"QLindorn MIDI 1", "USB Audio Device"} << 1;
        QTest::newRow("synth among others") << QStringList{"Midi Through", "QLindorn Emulator", "Other"} << 1;
        QTest::newRow("two synths") << QStringList{"QLindorn A", "Midi Through", "QLindorn B", "x"} << 2;
        QTest::newRow("lower case") << QStringList{"Midi Through", "qlindorn", "usb audio"} << 7;
        QTest::newRow("mixed case") << QStringList{"Qlindorn", "QLINDORN", "USB audio"} << 7;
        QTest::newRow("nothing") << QStringList{} << 7;
    }
    void lastMatchWins()
    {
        QFETCH(QStringList, names);
        QFETCH(int, expected);
        QCOMPARE(detectPortIndex(names, 7), expected);
    }

    void detectionSetsBothIndicesAndKeepsThemWithoutMatch()
    {
        MidiDeviceChoice choice;
        detectMidiPorts(choice, {"USB Audio", "Midi Through", "QLindorn In"}, {"QLindorn Out", "USB Audio 2", "Other"});
        QCOMPARE(int(choice.inputIndex), 2);
        QCOMPARE(int(choice.outputIndex), 1);
        QCOMPARE(choice.outputName, QString("USB Audio 2"));

        detectMidiPorts(choice, {"qlindorn"}, {});
        QCOMPARE(int(choice.inputIndex), 2);
        QCOMPARE(int(choice.outputIndex), 1);
        QCOMPARE(choice.outputName, QString("USB Audio 2"));
    }

    void settingsAcceptOnlyTheModelName()
    {
        QCOMPARE(lastModelPortIndex({"QLindorn A", "USB Audio"}, 5), 0);
        QCOMPARE(lastModelPortIndex({"USB Audio", "Through"}, 5), 5);
    }
};

QTEST_GUILESS_MAIN(TestPortDetection)
#include "test_portdetection.moc"
