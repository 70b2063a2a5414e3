#pragma once

// The synthesizer as far as the librarian can tell: two banks of 100 sounds,
// an edit buffer, bank select and program change, SoundDumps stored, and the
// fixed dump request answered with one SoundDump. No ports here: messages go
// in through receive() and out through the send function, so tests drive it
// directly.

#include "store/SoundDump.h"

#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

namespace sondrake::emulator {

using Bytes = std::vector<std::uint8_t>;

class EmulatorCore {
public:
    using SendFunction = std::function<void(const Bytes&)>;
    // A controller on MIDI channel 1 that is not bank select: returns true
    // when it changed the edit buffer.
    using ControlFunction = std::function<bool(SoundDump& editBuffer, int controller, int value)>;

    EmulatorCore();

    void setSend(SendFunction send) { m_send = std::move(send); }
    // Replaces how controllers and NRPNs change the edit buffer. By default
    // the sound parameter map decides.
    void setControlHandler(ControlFunction handler) { m_control = std::move(handler); }

    // One complete message from the MIDI input.
    void receive(std::span<const std::uint8_t> message);

    // The front panel's buttons.
    void dumpSound();
    void dumpBank(int bankNumber); // 1 or 2

    // Controller 99/98/6 build NRPNs; every other one goes to the handler.
    bool applyControl(int controller, int value);

    int currentBank() const { return m_bank; }       // 0 or 1
    int currentProgram() const { return m_program; } // 0..99
    const SoundDump& sound(int slot) const { return m_sounds.at(static_cast<std::size_t>(slot)); }
    const SoundDump& editBuffer() const { return m_edit; }
    bool bankDumpRunning() const { return m_bankDumpBank >= 0; }
    int storedCount() const { return m_stored; }
    // What the last message did, for the monitor ("stored at bank 1 program 5").
    const std::string& lastEvent() const { return m_lastEvent; }

    // The sound the emulator starts with at slot 0..199: framed, 7-bit data,
    // named "Emu B1 P000" and so on, every one different.
    static SoundDump generatedSound(int slot);
    // A SoundDump as the synthesizer sends it: bytes 11/12 = bank + 1, program.
    static SoundDump asSent(SoundDump dump, int bank, int program);
    static const Bytes& dumpRequest();

private:
    void sendSlot(int bank, int program);
    void storeDump(std::span<const std::uint8_t> message);

    std::array<SoundDump, kSlotCount> m_sounds{};
    SoundDump m_edit{};
    int m_bank = 0;
    int m_program = 0;
    int m_pendingBank = 0;
    bool m_afterProgramChange = false;
    int m_bankDumpBank = -1;
    int m_bankDumpNext = 0;
    int m_nrpnMsb = -1;
    int m_nrpnLsb = -1;
    int m_stored = 0;
    std::string m_lastEvent;
    SendFunction m_send;
    ControlFunction m_control;
};

std::string toHex(std::span<const std::uint8_t> bytes);

} // namespace sondrake::emulator
