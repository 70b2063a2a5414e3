#include "store/SoundStore.h"

#include "store/SoundName.h"

#include <stdexcept>
#include <utility>

namespace sondrake {

SoundStore::SoundStore() = default;

SoundDump& SoundStore::slot(int s)
{
    if (!isValidSlot(s))
        throw std::out_of_range("Sound slot " + std::to_string(s) + " is outside 0..199");
    return m_slots[static_cast<std::size_t>(s)];
}

const SoundDump& SoundStore::slot(int s) const
{
    return const_cast<SoundStore*>(this)->slot(s);
}

std::string readName(const SoundDump& dump)
{
    std::string name;
    name.reserve(kNameLength);
    for (std::size_t i = 0; i < kNameLength; ++i) {
        const std::uint8_t b = dump[kNameOffset + i];
        if (b >= 32)
            name.push_back(static_cast<char>(b));
    }
    return name;
}

void writeName(SoundDump& dump, std::string_view name)
{
    // Each byte is a Latin-1 character; it is stored in its 7-bit form.
    for (std::size_t i = 0; i < kNameLength; ++i)
        dump[kNameOffset + i] = i < name.size()
            ? static_cast<std::uint8_t>(storableNameChar(static_cast<unsigned char>(name[i])))
            : std::uint8_t{' '};
}

std::string SoundStore::getSoundName(int s) const { return readName(slot(s)); }

void SoundStore::setSoundName(int s, std::string_view name) { writeName(slot(s), name); }

void SoundStore::resetSoundNames()
{
    m_count = kSlotCount;
    for (int i = 0; i < kSlotCount; ++i)
        setSoundName(i, "empty");
}

void SoundStore::swapSlots(int a, int b)
{
    std::swap(slot(a), slot(b));
}

} // namespace sondrake
