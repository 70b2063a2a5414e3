#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace sondrake {

// One sound exactly as the synthesizer sends it: a single-sound SysEx message.
constexpr std::size_t kDumpSize = 270;
constexpr int kSlotCount = 200;
constexpr int kProgramsPerBank = 100;

constexpr std::size_t kLocationBankByte = 11;
constexpr std::size_t kLocationProgramByte = 12;
constexpr std::size_t kNameOffset = 164;
constexpr std::size_t kNameLength = 16;

using SoundDump = std::array<std::uint8_t, kDumpSize>;

constexpr bool isValidSlot(long long slot) { return slot >= 0 && slot < kSlotCount; }

} // namespace sondrake
