#pragma once

// Exploring a sound family without a window: generations of eight candidate
// sounds, each a variant of the working copy inside the schema, bred from
// the candidates the user keeps; and a morph between two sounds that stays
// inside the schema as well.
//
// Only the 99 schema parameters ever differ from the sound a candidate is
// made over (its base, the working copy): the name, the location bytes and
// every parameter without a schema entry are the base's. Every draw comes
// from the generator handed in, in a fixed order, so a seed replays a run.

#include "editor/Randomizer.h"
#include "editor/Schema.h"
#include "store/SoundDump.h"

#include <array>
#include <deque>
#include <span>

namespace sondrake::editor {

constexpr int kCandidateCount = 8;

// Draws each schema parameter again, in schema order, with a chance of
// ratePercent in 100 (cut to 0..100), through the randomizer's own rules:
// one draw decides, and a parameter drawn again takes one of the values its
// entry allows (a knob entry without any gets the randomizer's fallback,
// which stays in the schema). 0 leaves the sound as it is, 100 draws every
// parameter.
void mutateSound(SoundDump& sound, SoundFamilySchema& schema, int ratePercent, Generator& gen);

// A new candidate: the base, with each schema parameter taken as stored from
// one of the parents, chosen at random for that parameter, and then mutated.
// Without parents it is the base, mutated.
SoundDump breedSound(const SoundDump& base, std::span<const SoundDump> parents, SoundFamilySchema& schema,
    int ratePercent, Generator& gen);

// The base with the 99 schema parameters of `from`, copied as stored (bits of
// a shared byte that belong to another parameter stay the base's).
SoundDump withSchemaParameters(const SoundDump& base, const SoundDump& from);

// Between a (0 %) and b (100 %): every knob and slider of the schema at
// a + (b - a) * percent / 100, rounded half away from zero; lists and check
// boxes take a's value below 50 % and b's from 50 %. Each value then moves to
// the nearest one its entry allows (a tie goes towards b's side); an entry
// that allows none of its values leaves the value as it is, so with no
// schema loaded the morph is a plain blend. Everything else is b's. A value
// that ends up as a's or b's own is copied as stored.
SoundDump morphSound(const SoundDump& a, const SoundDump& b, int percent, const SoundFamilySchema& schema);

// The generations of one exploration, newest last.
class SoundExplorer {
public:
    // "Previous Generation" reaches this many back.
    static constexpr int kRemembered = 32;

    struct Generation {
        int number = 0; // 1 for the first of the exploration
        std::array<SoundDump, kCandidateCount> candidates {};
        std::array<bool, kCandidateCount> kept {};
    };

    bool isEmpty() const { return m_generations.empty(); }
    // The generation shown; there must be one.
    const Generation& current() const { return m_generations.back(); }
    int rememberedCount() const { return int(m_generations.size()); }
    bool hasPrevious() const { return m_generations.size() > 1; }

    // Eight new candidates over base, bred from the kept candidates of the
    // current generation, or from base alone when none is kept (or there is
    // no generation yet). The new generation becomes the current one; the
    // oldest beyond kRemembered is forgotten.
    const Generation& nextGeneration(
        const SoundDump& base, SoundFamilySchema& schema, int ratePercent, Generator& gen);
    // Back to the generation before the current one, which is forgotten.
    // False, and nothing changes, when there is none.
    bool previousGeneration();

    // Keep flags of the current generation; candidates outside 0..7 are ignored.
    void setKept(int candidate, bool kept);
    bool isKept(int candidate) const;

private:
    std::deque<Generation> m_generations;
};

} // namespace sondrake::editor
