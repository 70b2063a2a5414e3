#pragma once

// Helpers of the editor window tests: sounds to load and the live messages
// the recording output saw, read back as controllers and NRPNs.

#include "ModalTestSupport.h"
#include "editor/EditorHost.h"
#include "parametermap/ParameterMap.h"
#include "editor/SoundEditor.h"
#include "midi/MidiSession.h"
#include "support/RecordingBackend.h"
#include "store/SoundDump.h"

#include <QtTest>

#include <algorithm>
#include <chrono>
#include <memory>
#include <cstdint>
#include <random>
#include <vector>

namespace patchedit_test {

using sondrake::SoundDump;
using namespace sondrake::editor;
using sondrake::midi::Bytes;
using sondrake::testing::namedChild;
using sondrake::testing::onNextModalOf;

// One event on the wire: a controller, a completed NRPN, a note on, a
// reset (the controller 123 of channel 1 that starts it) or a SysEx block.
struct Event {
    enum Kind { CC, Nrpn, NoteOn, Reset, SysEx, Other } kind = Other;
    int number = 0;
    int value = 0;
    Bytes bytes;
    bool operator==(const Event& o) const { return kind == o.kind && number == o.number && value == o.value; }
};

inline std::vector<Event> decode(const std::vector<Bytes>& messages)
{
    std::vector<Event> out;
    int msb = -1;
    int lsb = -1;
    for (const Bytes& m : messages) {
        Event e;
        e.bytes = m;
        if (!m.empty() && m[0] == 0xF0) {
            e.kind = Event::SysEx;
        } else if (m.size() == 3 && m[0] == 0x90) {
            e.kind = Event::NoteOn;
            e.number = m[1];
            e.value = m[2];
        } else if (m.size() == 3 && (m[0] & 0xF0) == 0xB0) {
            if (m[0] != 0xB0) {
                continue; // the other channels of a reset
            } else if (m[1] == 99) {
                msb = m[2];
                continue;
            } else if (m[1] == 98) {
                lsb = m[2];
                continue;
            } else if (m[1] == 6 && msb >= 0 && lsb >= 0) {
                e.kind = Event::Nrpn;
                e.number = (msb << 7) | lsb;
                e.value = m[2];
            } else if (m[1] == 123) {
                e.kind = Event::Reset;
            } else if (m[1] == 64) {
                continue; // part of a reset
            } else {
                e.kind = Event::CC;
                e.number = m[1];
                e.value = m[2];
            }
        }
        out.push_back(e);
    }
    return out;
}

// The event a row's live message makes for a control value.
inline Event liveEvent(const ParameterEntry& entry, int value)
{
    Event e;
    e.kind = entry.live.kind == MessageKind::CC ? Event::CC : Event::Nrpn;
    e.number = entry.live.number;
    const std::vector<Bytes> wire = liveMessages(entry, value);
    e.value = wire.back()[2];
    return e;
}

inline long countOf(const std::vector<Event>& events, const Event& e)
{
    return long(std::count(events.begin(), events.end(), e));
}

// Everything queued so far, once the output has drained.
inline std::vector<Event> drained(const sondrake::midi::MidiSession& session, sondrake::midi::RecordingBackend& rec)
{
    session.waitIdle(std::chrono::milliseconds(10000));
    return decode(rec.messages());
}

// A framed SoundDump whose stored parameters all hold a value inside their
// range, different from the control defaults, from a seed.
inline SoundDump sampleSound(unsigned seed)
{
    std::mt19937 gen(seed);
    SoundDump d {};
    for (std::size_t i = 1; i + 1 < d.size(); ++i)
        d[i] = std::uint8_t(gen() & 0x7F);
    d[0] = 0xF0;
    d[d.size() - 1] = 0xF7;
    for (const ParameterEntry& e : parameterMap()) {
        if (!e.isStored())
            continue;
        int v = e.minimum + int(gen() % unsigned(e.valueCount()));
        if (e.kind == ControlKind::Knob && v == 63)
            v = e.minimum + 1; // never the knob's starting position
        writeValue(d, e, v);
    }
    const char name[] = "Test Sound 1    ";
    std::copy(name, name + 16, d.begin() + 164);
    return d;
}

inline const ParameterEntry& row(std::string_view control)
{
    const ParameterEntry* e = entryForControl(control);
    if (!e)
        qFatal("no row %s", std::string(control).c_str());
    return *e;
}

// Opens an editor on `sound`, shown, active and exposed, as the librarian does.
inline std::unique_ptr<sondrake::editor::SoundEditor> openEditorWindow(
    sondrake::editor::EditorHost& host, const sondrake::SoundDump& sound)
{
    auto editor = std::make_unique<sondrake::editor::SoundEditor>(host);
    editor->setWorkingCopy(sound);
    editor->show();
    editor->activateWindow();
    if (!QTest::qWaitForWindowExposed(editor.get()))
        qWarning("editor not exposed");
    QCoreApplication::processEvents();
    return editor;
}

} // namespace patchedit_test
