// The sound editor against the emulator over the private JACK server: knob
// drags reach the synthesizer's edit buffer, and the dump it sends back holds
// exactly the dragged values, encoded as the parameter map stores them.

#include "JackTestSupport.h"
#include "controls/Knob.h"
#include "editor/EditorHost.h"
#include "parametermap/ParameterMap.h"
#include "editor/SoundEditor.h"
#include "midi/MidiSession.h"
#include "platform/MidiService.h"
#include "store/SoundDump.h"

#include <QApplication>
#include <QMouseEvent>
#include <QProcess>
#include <QTabWidget>
#include <QtTest>

#include <memory>
#include <optional>

using namespace sondrake;
using namespace sondrake::editor;
using namespace std::chrono_literals;

using testing::fromHexLine;
using testing::indexOf;

namespace {

const ParameterEntry& row(std::string_view control)
{
    const ParameterEntry* e = entryForControl(control);
    if (!e)
        qFatal("no row %s", std::string(control).c_str());
    return *e;
}

// A drag of `steps` pixels upwards (negative: downwards) on a knob's dial.
void dragKnob(controls::Knob* knob, int steps)
{
    auto mouse = [knob](QEvent::Type type, int y) {
        QMouseEvent ev(type, QPointF(16, y), knob->mapToGlobal(QPointF(16, y)), Qt::LeftButton,
                       type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(knob, &ev);
    };
    const int start = 20;
    mouse(QEvent::MouseButtonPress, start);
    const int dir = steps < 0 ? -1 : 1;
    for (int i = 1; i <= std::abs(steps); ++i)
        mouse(QEvent::MouseMove, start - dir * i);
    mouse(QEvent::MouseButtonRelease, start - steps);
}

// A controller on channel 16: the synthesizer listens to channel 1 only, so it
// changes nothing, and the queue sends it after everything queued before it.
const midi::Bytes kMarker {0xBF, 0x77, 0x5A};

} // namespace

class ITestEditor : public QObject {
    Q_OBJECT
    QProcess emulator;
    midi::MidiSession session;
    QByteArray pendingOut;
    bool ready = false;
    int markersSeen = 0;
    QStringList errors;
    std::vector<SoundDump> dumps; // what reached our input, in order

    void readEmulator()
    {
        pendingOut += emulator.readAllStandardOutput();
        int nl;
        while ((nl = pendingOut.indexOf('\n')) >= 0) {
            const QByteArray line = pendingOut.left(nl).trimmed();
            pendingOut.remove(0, nl + 1);
            if (line == "ready")
                ready = true;
            else if (fromHexLine(line) == kMarker)
                ++markersSeen;
        }
    }

    // Waits until the synthesizer has applied everything queued so far: the
    // queue drained to JACK is not enough, because "dump" reaches the
    // emulator through its standard input, which can overtake the MIDI.
    bool synthesizerCaughtUp()
    {
        const int before = markersSeen;
        session.sendChannelControl(15, kMarker[1], kMarker[2]);
        if (!session.waitIdle(30s))
            return false;
        return QTest::qWaitFor([&] { return markersSeen > before; }, 30000);
    }

    // Asks the emulator for its edit buffer; the buffer is armed first.
    std::optional<SoundDump> dumpEditBuffer()
    {
        const std::size_t before = dumps.size();
        if (!session.armInput(270).ok())
            return std::nullopt;
        emulator.write("dump\n");
        if (!QTest::qWaitFor([&] { return dumps.size() > before; }, 30000))
            return std::nullopt;
        return dumps.back();
    }

private slots:
    void initTestCase()
    {
        SONDRAKE_REQUIRE_MIDI_SERVER();
        const QString bin = qEnvironmentVariable("SONDRAKE_BIN_DIR", QCoreApplication::applicationDirPath());
        connect(&emulator, &QProcess::readyReadStandardOutput, this, &ITestEditor::readEmulator,
                Qt::UniqueConnection);
        emulator.setProcessChannelMode(QProcess::SeparateChannels);
        emulator.start(bin + "/qlindorn-emulator", {"--headless"});
        QVERIFY2(emulator.waitForStarted(10000), qPrintable(emulator.errorString()));
        QTRY_VERIFY_WITH_TIMEOUT(ready || emulator.state() != QProcess::Running, 20000);
        QVERIFY2(emulator.state() == QProcess::Running, emulator.readAllStandardError().constData());

        const int out = indexOf(session.midiService().outputs(), "QLindorn");
        const int in = indexOf(session.midiService().inputs(), "QLindorn");
        QVERIFY(out >= 0 && in >= 0);
        session.choice().outputIndex = static_cast<std::uint16_t>(out);
        session.choice().inputIndex = static_cast<std::uint16_t>(in);
        QString error;
        QVERIFY2(session.openOutput(&error), qPrintable(error));
        QVERIFY2(session.openInput(&error), qPrintable(error));
        QVERIFY(session.startInput());
        connect(&session, &midi::MidiSession::sysExReceived, this, [this](const midi::ReceivedSysEx& r) {
            if (r.messageSize != kDumpSize || r.bytes.size() != kDumpSize)
                return;
            SoundDump d;
            std::copy(r.bytes.begin(), r.bytes.end(), d.begin());
            dumps.push_back(d);
        });
    }

    void cleanupTestCase()
    {
        testing::closeClientsThenQuit(session, emulator);
    }

    void threeKnobDragsComeBackInTheDump()
    {
        // A plain controller, an offset-64 controller and an offset-64 NRPN.
        const ParameterEntry& level = row("KnobOsc1Level");
        const ParameterEntry& pw = row("KnobOsc1ManualPW");
        const ParameterEntry& fm = row("Knob23FMADEnv");
        QCOMPARE(level.storage.byte, 50);
        QCOMPARE(pw.storage.byte, 25);
        QCOMPARE(fm.storage.byte, 70);
        QVERIFY(fm.live.kind == MessageKind::Nrpn);

        // Starting values the emulator's own sound does not hold, so that the
        // first dump shows the opening reached it.
        const std::optional<SoundDump> initial = dumpEditBuffer();
        QVERIFY(initial);
        SoundDump sound = *initial;
        const int startLevel = readValue(sound, level) == 40 ? 41 : 40;
        const int startPw = readValue(sound, pw) == -10 ? -11 : -10;
        const int startFm = readValue(sound, fm) == 5 ? 6 : 5;
        writeValue(sound, level, startLevel);
        writeValue(sound, pw, startPw);
        writeValue(sound, fm, startFm);

        MemoryEditorHost host;
        host.session = &session;
        host.onError = [this](QWidget*, const QString& text) { errors.append(text); };
        auto editor = std::make_unique<SoundEditor>(host);
        editor->setWorkingCopy(sound);
        editor->show();
        editor->activateWindow();
        QVERIFY(QTest::qWaitForWindowExposed(editor.get()));
        QCOMPARE(editor->findChild<QTabWidget*>(QStringLiteral("PageControl1"))->currentIndex(), 0);
        QVERIFY(synthesizerCaughtUp());
        const std::optional<SoundDump> opened = dumpEditBuffer();
        QVERIFY(opened);
        QCOMPARE((*opened)[50], std::uint8_t(startLevel));
        QCOMPARE((*opened)[25], std::uint8_t(startPw + 64));
        QCOMPARE((*opened)[70], std::uint8_t(startFm + 64));

        struct Drag {
            const ParameterEntry& entry;
            int steps;
            int target;
        };
        const Drag drags[] = {{level, 25, startLevel + 25}, {pw, -20, startPw - 20}, {fm, 30, startFm + 30}};
        for (const Drag& d : drags) {
            auto* knob = editor->findChild<controls::Knob*>(QString::fromLatin1(d.entry.control));
            QVERIFY(knob);
            dragKnob(knob, d.steps);
            QCOMPARE(knob->value(), d.target);
        }
        QVERIFY(synthesizerCaughtUp());
        const std::optional<SoundDump> edited = dumpEditBuffer();
        QVERIFY(edited);

        // Exactly the three bytes changed, each to its encoded new value.
        QCOMPARE((*edited)[50], std::uint8_t(drags[0].target));
        QCOMPARE((*edited)[25], std::uint8_t(drags[1].target + 64));
        QCOMPARE((*edited)[70], std::uint8_t(drags[2].target + 64));
        for (std::size_t i = 0; i < kDumpSize; ++i) {
            if (i == 50 || i == 25 || i == 70)
                continue;
            QVERIFY2((*edited)[i] == (*opened)[i],
                     qPrintable(QString("byte %1: %2 became %3").arg(i).arg((*opened)[i]).arg((*edited)[i])));
        }
        for (const Drag& d : drags)
            QCOMPARE(readValue(*edited, d.entry), d.target);
        // Live edits leave the working copy alone.
        QVERIFY(editor->workingCopy() == sound);

        editor.reset();
        QVERIFY2(errors.isEmpty(), qPrintable(errors.join('\n')));
    }
};

QTEST_MAIN(ITestEditor)
#include "itest_editor.moc"
