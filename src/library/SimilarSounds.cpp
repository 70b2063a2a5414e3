#include "library/SimilarSounds.h"

#include "library/LibraryDatabase.h"
#include "parametermap/ParameterMap.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace sondrake::library {

using parametermap::ControlKind;

namespace {

    constexpr std::size_t kSchemaSize = 99;

    struct Weights {
        std::array<float, kSchemaSize> perStep {}; // knobs and sliders: 1 / range
        std::array<bool, kSchemaSize> categorical {}; // lists and check boxes
    };

    const Weights& weights()
    {
        static const Weights w = [] {
            Weights out;
            const auto entries = parametermap::schemaEntries();
            for (std::size_t p = 0; p < kSchemaSize && p < entries.size(); ++p) {
                const auto& e = *entries[p];
                out.categorical[p] = e.kind == ControlKind::List || e.kind == ControlKind::CheckBox;
                out.perStep[p] = e.maximum > e.minimum ? 1.0f / float(e.maximum - e.minimum) : 0.0f;
            }
            return out;
        }();
        return w;
    }

} // namespace

void SimilarSounds::add(qint64 id, const SoundDump& dump)
{
    const auto entries = parametermap::schemaEntries();
    m_ids.push_back(id);
    for (std::size_t p = 0; p < kSchemaSize; ++p) {
        int v = 0;
        if (p < entries.size())
            v = parametermap::readValue(dump, *entries[p]) - entries[p]->minimum;
        m_values.push_back(std::uint8_t(std::clamp(v, 0, 255)));
    }
}

void SimilarSounds::update(LibraryDatabase& db)
{
    if (m_stale) {
        m_ids.clear();
        m_values.clear();
        m_stale = false;
    }
    db.forEachDump(m_ids.empty() ? 0 : m_ids.back(), [this](qint64 id, const SoundDump& dump) { add(id, dump); });
}

QList<Neighbour> SimilarSounds::nearest(qint64 id, int count) const
{
    QList<Neighbour> out;
    const auto found = std::lower_bound(m_ids.begin(), m_ids.end(), id);
    if (found == m_ids.end() || *found != id || count <= 0)
        return out;
    const Weights& w = weights();
    const std::uint8_t* self = m_values.data() + std::size_t(found - m_ids.begin()) * kSchemaSize;
    std::vector<Neighbour> all;
    all.reserve(m_ids.size());
    for (std::size_t r = 0; r < m_ids.size(); ++r) {
        if (m_ids[r] == id)
            continue;
        const std::uint8_t* row = m_values.data() + r * kSchemaSize;
        float d = 0;
        for (std::size_t p = 0; p < kSchemaSize; ++p) {
            const int diff = std::abs(int(row[p]) - int(self[p]));
            d += w.categorical[p] ? (diff != 0 ? 1.0f : 0.0f) : float(diff) * w.perStep[p];
        }
        all.push_back({ m_ids[r], d });
    }
    const std::size_t n = std::min<std::size_t>(std::size_t(count), all.size());
    std::partial_sort(all.begin(), all.begin() + std::ptrdiff_t(n), all.end(), [](const Neighbour& a, const Neighbour& b) {
        return a.distance < b.distance || (a.distance == b.distance && a.id > b.id);
    });
    for (std::size_t i = 0; i < n; ++i)
        out.append(all[i]);
    return out;
}

} // namespace sondrake::library
