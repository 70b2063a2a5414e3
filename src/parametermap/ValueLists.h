#pragma once

// The entries of the editor's list controls. The stored and sent value of a
// list is the entry's 0-based index (plus the row's offset, see ParameterMap).

#include <span>
#include <string_view>

namespace sondrake::parametermap::lists {

std::span<const std::string_view> oscillatorWaveforms(); // 17
std::span<const std::string_view> oscillatorOctaves(); // "-1".."2"
std::span<const std::string_view> unison(); // "OFF", "2".."8"
std::span<const std::string_view> polyModes();
std::span<const std::string_view> portamentoModes();
std::span<const std::string_view> noteNames(); // the twelve names "C".."H"
std::span<const std::string_view> fixedNotes(); // "OFF", then C-2 .. F#8 (128)
std::span<const std::string_view> noiseTypes();
std::span<const std::string_view> filterSlopes();
std::span<const std::string_view> filterTypes();
std::span<const std::string_view> lfoWaveforms(); // 32
std::span<const std::string_view> triggerModes(); // "SGL", "MLT"
std::span<const std::string_view> arpOctaves();
std::span<const std::string_view> arpModes();
std::span<const std::string_view> arpPatterns(); // "Off", "1".."32"
std::span<const std::string_view> arpNotes();
std::span<const std::string_view> syncTypes(); // 16
std::span<const std::string_view> longSyncTimes(); // 35
std::span<const std::string_view> delaySyncTimes(); // the first 20 long sync times
std::span<const std::string_view> startPositions(); // pan and chorus initial start position

} // namespace sondrake::parametermap::lists
