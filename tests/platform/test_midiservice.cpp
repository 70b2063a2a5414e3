// Device names as the port detection sees them.

#include "platform/MidiService.h"

#include <QtTest>

using namespace sondrake::platform;

class TestMidiService : public QObject {
    Q_OBJECT
private slots:
    void readableNames_data()
    {
        QTest::addColumn<int>("api");
        QTest::addColumn<QString>("full");
        QTest::addColumn<QString>("name");
        const int alsa = int(MidiApiKind::Alsa), jack = int(MidiApiKind::Jack);
        // A port named after its client: the port name says it all.
        QTest::newRow("alsa card") << alsa << "QLindorn:QLindorn MIDI 1 24:0" << "QLindorn MIDI 1";
        QTest::newRow("alsa through") << alsa << "Midi Through:Midi Through Port-0 14:0" << "Midi Through Port-0";
        QTest::newRow("jack virtual") << jack << "QLindorn Emulator Out:QLindorn Emulator" << "QLindorn Emulator";
        QTest::newRow("jack numbered") << jack << "QLindorn Emulator Out-01:QLindorn Emulator"
                                       << "QLindorn Emulator";
        // Otherwise the client tells which program or card it is.
        QTest::newRow("jack system") << jack << "system:midi_capture_1" << "system:midi_capture_1";
        QTest::newRow("alsa usb") << alsa << "USB Audio Device:Port 1 20:0" << "USB Audio Device:Port 1";
        // Cut to 32 characters.
        QTest::newRow("long") << jack << "A very long client name here:and a long port name"
                              << "A very long client name here:and";
        QTest::newRow("no colon") << jack << "lonely" << "lonely";
    }

    void readableNames()
    {
        QFETCH(int, api);
        QFETCH(QString, full);
        QFETCH(QString, name);
        const QString got = MidiService::readableName(MidiApiKind(api), full.toStdString());
        QCOMPARE(got, name);
        QVERIFY(got.size() <= kMidiNameLength);
    }

    void noServerNoDevices()
    {
        // Without a server (and without ALSA) listing is empty and opening
        // fails with a reason; nothing throws, no server is started.
        const MidiService midi(QStringLiteral("Sondrake"));
        if (MidiService::alsaAvailable() || midi.jackAvailable())
            QSKIP("a MIDI system is present");
        QCOMPARE(midi.outputCount(), 0);
        QString error;
        QVERIFY(!midi.openOutput(0, &error));
        QVERIFY(!error.isEmpty());
        QVERIFY(!midi.openInput(0, {}, &error));
        QVERIFY(midi.outputName(0).isEmpty());
        QVERIFY(!midi.jackAvailable());
    }
};

QTEST_GUILESS_MAIN(TestMidiService)
#include "test_midiservice.moc"
