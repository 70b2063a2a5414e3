#include "editor/SoundExplorer.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace sondrake::editor {

namespace {

    // Copies one parameter's stored bits, whatever they decode to: a byte the
    // editor never wrote (out of range) travels unchanged.
    void copyStored(SoundDump& to, const SoundDump& from, const ParameterEntry& p)
    {
        const Storage& s = p.storage;
        if (!p.isStored() || s.byte < 0 || s.byte >= int(to.size()))
            return;
        const auto i = std::size_t(s.byte);
        if (s.encoding == Encoding::BitField) {
            const int mask = ((1 << (s.hi - s.lo + 1)) - 1) << s.lo;
            to[i] = std::uint8_t((to[i] & ~mask) | (from[i] & mask));
        } else {
            to[i] = from[i];
        }
    }

    // A control value's place in its entry's flags, and back: knob and
    // slider Min + i, list item i, check box 0 = "On" (value 1), 1 = "Off".
    int flagPosition(const ParameterEntry& p, int value)
    {
        switch (p.kind) {
        case ControlKind::Knob:
        case ControlKind::Slider:
            return value - p.minimum;
        case ControlKind::List:
            return value;
        case ControlKind::CheckBox:
            return value != 0 ? 0 : 1;
        }
        return value;
    }

    int valueAt(const ParameterEntry& p, int position)
    {
        switch (p.kind) {
        case ControlKind::Knob:
        case ControlKind::Slider:
            return p.minimum + position;
        case ControlKind::List:
            return position;
        case ControlKind::CheckBox:
            return position == 0 ? 1 : 0;
        }
        return position;
    }

    // The "1" nearest to position among the parameter's first `count` flags
    // (flags past the range stand for nothing); a tie goes to the side of
    // `towards` (+1 or -1). -1 when none is "1".
    int nearestAllowed(QStringView flags, int count, int position, int towards)
    {
        const int n = std::min(count, int(flags.size()));
        position = std::clamp(position, 0, std::max(0, count - 1));
        const auto allowed = [&](int i) { return i >= 0 && i < n && flags[i] == u'1'; };
        if (allowed(position))
            return position;
        for (int d = 1; d <= count; ++d) {
            if (allowed(position + d * towards))
                return position + d * towards;
            if (allowed(position - d * towards))
                return position - d * towards;
        }
        return -1;
    }

} // namespace

void mutateSound(SoundDump& sound, SoundFamilySchema& schema, int ratePercent, Generator& gen)
{
    const auto rate = std::uint32_t(std::clamp(ratePercent, 0, 100));
    for (SchemaEntry& entry : schema.entries()) {
        if (gen.next(100) < rate)
            randomizeInto(sound, entry, gen);
    }
}

SoundDump breedSound(const SoundDump& base, std::span<const SoundDump> parents, SoundFamilySchema& schema,
    int ratePercent, Generator& gen)
{
    SoundDump child = base;
    if (!parents.empty()) {
        const auto n = std::uint32_t(parents.size());
        for (const SchemaEntry& entry : schema.entries())
            copyStored(child, parents[gen.next(n)], *entry.parameter);
    }
    mutateSound(child, schema, ratePercent, gen);
    return child;
}

SoundDump withSchemaParameters(const SoundDump& base, const SoundDump& from)
{
    SoundDump out = base;
    for (const ParameterEntry* p : schemaEntries())
        copyStored(out, from, *p);
    return out;
}

SoundDump morphSound(const SoundDump& a, const SoundDump& b, int percent, const SoundFamilySchema& schema)
{
    percent = std::clamp(percent, 0, 100);
    SoundDump out = b;
    for (const SchemaEntry& entry : schema.entries()) {
        const ParameterEntry& p = *entry.parameter;
        if (!p.isStored())
            continue;
        const int va = readValue(a, p);
        const int vb = readValue(b, p);
        int v = 0;
        if (p.kind == ControlKind::Knob || p.kind == ControlKind::Slider)
            v = std::clamp(va + int(std::lround((vb - va) * percent / 100.0)), p.minimum, p.maximum);
        else
            v = percent < 50 ? va : vb;
        const int count = p.kind == ControlKind::CheckBox ? 2 : p.valueCount();
        const int towards = flagPosition(p, vb) >= flagPosition(p, va) ? 1 : -1;
        const int at = nearestAllowed(entry.allowed, count, flagPosition(p, v), towards);
        if (at >= 0)
            v = valueAt(p, at);
        if (v == vb)
            continue; // already b's, as stored
        if (v == va)
            copyStored(out, a, p);
        else
            writeValue(out, p, v);
    }
    return out;
}

const SoundExplorer::Generation& SoundExplorer::nextGeneration(
    const SoundDump& base, SoundFamilySchema& schema, int ratePercent, Generator& gen)
{
    std::vector<SoundDump> parents;
    int number = 1;
    if (!m_generations.empty()) {
        const Generation& from = m_generations.back();
        number = from.number + 1;
        for (int i = 0; i < kCandidateCount; ++i) {
            if (from.kept[std::size_t(i)])
                parents.push_back(from.candidates[std::size_t(i)]);
        }
    }
    Generation next;
    next.number = number;
    for (SoundDump& candidate : next.candidates)
        candidate = breedSound(base, parents, schema, ratePercent, gen);
    m_generations.push_back(next);
    while (int(m_generations.size()) > kRemembered)
        m_generations.pop_front();
    return m_generations.back();
}

bool SoundExplorer::previousGeneration()
{
    if (m_generations.size() < 2)
        return false;
    m_generations.pop_back();
    return true;
}

void SoundExplorer::setKept(int candidate, bool kept)
{
    if (m_generations.empty() || candidate < 0 || candidate >= kCandidateCount)
        return;
    m_generations.back().kept[std::size_t(candidate)] = kept;
}

bool SoundExplorer::isKept(int candidate) const
{
    if (m_generations.empty() || candidate < 0 || candidate >= kCandidateCount)
        return false;
    return m_generations.back().kept[std::size_t(candidate)];
}

} // namespace sondrake::editor
