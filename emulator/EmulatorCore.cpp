#include "emulator/EmulatorCore.h"

#include "parametermap/ParameterMap.h"

#include <algorithm>
#include <cstdio>
#include <memory>

namespace sondrake::emulator {

namespace {
constexpr std::uint8_t kHeader[11] = {0xF0, 0x00, 0x20, 0x29, 0x01, 0x42, 0x00, 0x10, 0x00, 0x00, 0x00};
} // namespace

const Bytes& EmulatorCore::dumpRequest()
{
    static const Bytes request{0xF0, 0x00, 0x20, 0x29, 0x01, 0x42, 0x7F, 0x41, 0x00, 0x00, 0x00, 0x00, 0x00, 0xF7};
    return request;
}

SoundDump EmulatorCore::generatedSound(int slot)
{
    SoundDump d{};
    std::copy(std::begin(kHeader), std::end(kHeader), d.begin());
    d[kLocationBankByte] = static_cast<std::uint8_t>(slot / 100 + 1);
    d[kLocationProgramByte] = static_cast<std::uint8_t>(slot % 100);
    std::uint32_t x = 0x9E3779B9u ^ static_cast<std::uint32_t>(slot * 2654435761u);
    for (std::size_t i = 13; i < kDumpSize - 1; ++i) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        d[i] = static_cast<std::uint8_t>(x & 0x7F);
    }
    std::string name = "Emu B" + std::to_string(slot / 100 + 1) + " P" + std::to_string(100 + slot % 100).substr(1);
    name.resize(kNameLength, ' ');
    std::copy_n(name.begin(), kNameLength, d.begin() + kNameOffset);
    d[kDumpSize - 1] = 0xF7;
    return d;
}

SoundDump EmulatorCore::asSent(SoundDump dump, int bank, int program)
{
    dump[0] = 0xF0;
    dump[kLocationBankByte] = static_cast<std::uint8_t>(bank + 1);
    dump[kLocationProgramByte] = static_cast<std::uint8_t>(program);
    dump[kDumpSize - 1] = 0xF7;
    return dump;
}

EmulatorCore::EmulatorCore()
{
    for (int s = 0; s < kSlotCount; ++s)
        m_sounds[static_cast<std::size_t>(s)] = generatedSound(s);
    m_edit = m_sounds[0];
    m_control = [applier = std::make_shared<parametermap::LiveMessageApplier>()](
                    SoundDump& dump, int controller, int value) {
        const std::uint8_t msg[3] = {0xB0, static_cast<std::uint8_t>(controller), static_cast<std::uint8_t>(value)};
        return applier->apply(dump, msg);
    };
}

void EmulatorCore::sendSlot(int bank, int program)
{
    const SoundDump d = asSent(m_sounds[static_cast<std::size_t>(bank * 100 + program)], bank, program);
    if (m_send)
        m_send(Bytes(d.begin(), d.end()));
}

void EmulatorCore::dumpSound()
{
    const SoundDump d = asSent(m_edit, m_bank, m_program);
    if (m_send)
        m_send(Bytes(d.begin(), d.end()));
}

void EmulatorCore::dumpBank(int bankNumber)
{
    if (bankNumber != 1 && bankNumber != 2)
        return;
    m_bankDumpBank = bankNumber - 1;
    m_bankDumpNext = 1;
    sendSlot(m_bankDumpBank, 0);
}

bool EmulatorCore::applyControl(int controller, int value)
{
    // The parameter map's applier follows 99/98/6 itself; the numbers are
    // kept here as well so a replaced handler sees complete NRPNs.
    if (controller == 99)
        m_nrpnMsb = value;
    else if (controller == 98)
        m_nrpnLsb = value;
    return m_control ? m_control(m_edit, controller, value) : false;
}

void EmulatorCore::storeDump(std::span<const std::uint8_t> message)
{
    int bank = message[kLocationBankByte];
    int program = message[kLocationProgramByte];
    if (m_afterProgramChange) {
        // A sound sent right after selecting a program belongs there.
        bank = m_bank;
        program = m_program;
    }
    if (bank > 1 || program > 99) {
        m_lastEvent = "SoundDump for bank byte " + std::to_string(message[kLocationBankByte]) + " program " +
                     std::to_string(message[kLocationProgramByte]) + " not stored";
        return;
    }
    SoundDump& slot = m_sounds[static_cast<std::size_t>(bank * 100 + program)];
    std::copy(message.begin(), message.end(), slot.begin());
    if (bank == m_bank && program == m_program)
        m_edit = slot;
    ++m_stored;
    m_lastEvent = "stored at bank " + std::to_string(bank + 1) + " program " + std::to_string(program);
}

void EmulatorCore::receive(std::span<const std::uint8_t> message)
{
    m_lastEvent.clear();
    if (message.empty())
        return;
    const std::uint8_t status = message[0];
    if (status == 0xF0) {
        if (message.size() == dumpRequest().size() && std::equal(message.begin(), message.end(), dumpRequest().begin())) {
            m_afterProgramChange = false;
            if (m_bankDumpBank >= 0 && m_bankDumpNext > 99) {
                // A librarian asks once more after the last program (it keeps
                // one request per sound it stores); the bank is complete, so
                // that request ends the bank dump without an answer.
                m_bankDumpBank = -1;
                m_lastEvent = "dump request after the last program: bank dump finished";
            } else if (m_bankDumpBank >= 0) {
                const int bank = m_bankDumpBank;
                const int program = m_bankDumpNext++;
                sendSlot(bank, program);
                m_lastEvent = "dump request: sent bank " + std::to_string(bank + 1) + " program " + std::to_string(program);
            } else {
                dumpSound();
                m_lastEvent = "dump request: sent the current sound";
            }
            return;
        }
        if (message.size() == kDumpSize && message.back() == 0xF7) {
            storeDump(message);
        } else {
            m_lastEvent = "SysEx of " + std::to_string(message.size()) + " bytes ignored";
        }
        m_afterProgramChange = false;
        return;
    }
    if (status == 0xB0 && message.size() >= 3) {
        const int controller = message[1];
        const int value = message[2];
        if (controller == 0)
            return; // bank select MSB: always 0 here
        if (controller == 32) {
            if (value == 1 || value == 2)
                m_pendingBank = value - 1;
            return;
        }
        m_afterProgramChange = false;
        if (applyControl(controller, value))
            m_lastEvent = "edit buffer changed";
        return;
    }
    if (status == 0xC0 && message.size() >= 2) {
        if (message[1] > 99)
            return;
        m_bank = m_pendingBank;
        m_program = message[1];
        m_edit = m_sounds[static_cast<std::size_t>(m_bank * 100 + m_program)];
        m_afterProgramChange = true;
        m_lastEvent = "program " + std::to_string(m_bank + 1) + "/" + std::to_string(m_program);
        return;
    }
}

std::string toHex(std::span<const std::uint8_t> bytes)
{
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(bytes.size() * 3);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (i)
            out.push_back(' ');
        out.push_back(digits[bytes[i] >> 4]);
        out.push_back(digits[bytes[i] & 0x0F]);
    }
    return out;
}

} // namespace sondrake::emulator
