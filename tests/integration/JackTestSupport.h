#pragma once

// Helpers shared by the tests that run over the private JACK server.

#include "midi/MidiSession.h"
#include "platform/MidiService.h"

#include <QByteArray>
#include <QProcess>
#include <QString>

#include <chrono>
#include <vector>

// An integration test that finds no MIDI server skips when run by hand,
// but fails in CI (CI set): a run whose server did not start must not pass
// without a single MIDI test.
#define SONDRAKE_REQUIRE_MIDI_SERVER()                                                                          \
    do {                                                                                                       \
        if (!sondrake::platform::MidiService::alsaAvailable()                                                   \
            && !sondrake::platform::MidiService(QStringLiteral("Sondrake")).jackAvailable()) {                   \
            if (qEnvironmentVariableIsSet("JACK_DEFAULT_SERVER"))                                               \
                QFAIL("JACK_DEFAULT_SERVER is set but no JACK server answers");                                 \
            if (!qEnvironmentVariableIsEmpty("CI"))                                                            \
                QFAIL("no MIDI server answers, and CI is set: integration tests may not skip there "            \
                      "(run them through test.sh, which starts a private JACK server)");                       \
            QSKIP("no MIDI system (run through test.sh, which starts a private JACK server)");                  \
        }                                                                                                      \
    } while (false)

namespace sondrake::testing {

// One line of the emulator's headless monitor ("F0 00 20 ...") as bytes.
inline midi::Bytes fromHexLine(const QByteArray& line)
{
    midi::Bytes out;
    for (const QByteArray& t : line.trimmed().split(' '))
        if (!t.isEmpty())
            out.push_back(static_cast<std::uint8_t>(t.toUInt(nullptr, 16)));
    return out;
}

// Index of the first port whose name holds `word`, or -1.
inline int indexOf(const std::vector<platform::MidiPortInfo>& ports, const QString& word)
{
    for (std::size_t i = 0; i < ports.size(); ++i)
        if (ports[i].name.contains(word))
            return static_cast<int>(i);
    return -1;
}

// Closes our clients first, then asks the peer program to quit: a sync JACK
// server stalls on clients that vanish without closing.
inline void closeClientsThenQuit(midi::MidiSession& session, QProcess& peer)
{
    using namespace std::chrono_literals;
    session.waitIdle(10s);
    session.closeInput();
    session.closeOutput();
    if (peer.state() == QProcess::Running) {
        peer.write("quit\n");
        if (!peer.waitForFinished(10000)) {
            peer.terminate();
            peer.waitForFinished(5000);
        }
    }
}

} // namespace sondrake::testing
