#pragma once

// "Similar Sounds": the sounds nearest to one by a distance over the 99
// schema parameters. The values of every sound sit in one block of memory
// (99 bytes a sound, about 10 MB for 100,000), read once from the dumps and
// then kept up to date with what was added since, so a question costs one
// pass over that block and no database work.

#include "store/SoundDump.h"

#include <QList>

#include <cstdint>
#include <vector>

namespace sondrake::library {

class LibraryDatabase;

struct Neighbour {
    qint64 id = 0;
    double distance = 0;
};

class SimilarSounds {
public:
    // Reads the sounds added since the last call.
    void update(LibraryDatabase& db);
    // Sounds deleted from the library; the next update() reads everything anew.
    void forget() { m_stale = true; }

    void add(qint64 id, const SoundDump& dump);
    qsizetype size() const { return qsizetype(m_ids.size()); }

    // The count nearest to id, nearest first, id itself left out. A list
    // parameter or check box counts 1 when it differs, a knob or slider the
    // share of its range it differs by.
    QList<Neighbour> nearest(qint64 id, int count) const;

private:
    std::vector<qint64> m_ids; // ascending
    std::vector<std::uint8_t> m_values; // m_ids.size() rows of schema values, minimum = 0
    bool m_stale = false;
};

} // namespace sondrake::library
