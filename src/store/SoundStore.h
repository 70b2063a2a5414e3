#pragma once

#include "store/SoundDump.h"

#include <string>
#include <string_view>

namespace sondrake {

// The 200 slots of the librarian: slot s is bank s / 100, program s % 100.
// Names are single-byte (Latin-1) text, stored as printable 7-bit bytes
// (see SoundName.h); the store never interprets other bytes.
class SoundStore {
public:
    SoundStore();

    int count() const { return m_count; }

    // Throws std::out_of_range for a slot outside 0..199.
    SoundDump& slot(int s);
    const SoundDump& slot(int s) const;

    // Bytes 164..179 in order, leaving out every byte below 32; trailing blanks stay.
    std::string getSoundName(int s) const;
    // Pads with blanks to 16 and writes the first 16 characters, each as its
    // printable 7-bit form; nothing else changes.
    void setSoundName(int s, std::string_view name);
    // Count back to 200 and every slot named "empty"; other bytes untouched.
    void resetSoundNames();

    void swapSlots(int a, int b);

private:
    int m_count = 0;
    std::array<SoundDump, kSlotCount> m_slots{};
};

// Name rules shared with the editor's working copy. readName returns every
// byte of 32 or more, whatever wrote it: bank files and received dumps keep
// their names as they came.
std::string readName(const SoundDump& dump);
void writeName(SoundDump& dump, std::string_view name);

} // namespace sondrake
