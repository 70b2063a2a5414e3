#pragma once

// The wire bytes of a control change and of an NRPN group on MIDI channel 1:
// the one encoder of both. The parameter map's live messages and the MIDI
// layer's queue entries are built here, because the store is the only room
// both may use (the map may not use the MIDI layer, nor the MIDI layer the
// map). Standard library only.

#include <algorithm>
#include <cstdint>
#include <vector>

namespace sondrake {

// {B0, controller, value}; both data bytes are held at 0..127, so a data
// byte never has the high bit set (Tempo positions 128..191 leave as 127).
inline std::vector<std::uint8_t> controllerBytes(int controller, int value)
{
    return { 0xB0, std::uint8_t(std::clamp(controller, 0, 127)), std::uint8_t(std::clamp(value, 0, 127)) };
}

// {B0 63 msb}, {B0 62 lsb}, {B0 06 v}: the number's upper bits (held at 127
// for a number beyond 14 bits) and its low seven bits, then the value's low
// seven bits.
inline std::vector<std::vector<std::uint8_t>> nrpnBytes(int number, int value)
{
    return {
        { 0xB0, 0x63, std::uint8_t(std::clamp(number >> 7, 0, 127)) },
        { 0xB0, 0x62, std::uint8_t(number & 0x7F) },
        { 0xB0, 0x06, std::uint8_t(value & 0x7F) },
    };
}

} // namespace sondrake
