#pragma once

#include <array>
#include <string_view>

namespace sondrake {

// The categories a sound can be filed under: the rename dialog lists them and
// the sound library offers them as its fixed tags, in this order.
inline constexpr std::array<std::string_view, 13> kSoundCategories = {
    "Init", "Arp", "Atmo", "Bass", "Drum", "FX", "Keys", "Lead", "Mono", "Pad", "Perc", "Poly", "Seq",
};

} // namespace sondrake
