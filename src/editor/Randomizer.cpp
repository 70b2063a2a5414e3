#include "editor/Randomizer.h"

#include <QCoreApplication>

#include <array>
#include <chrono>
#include <string>

namespace sondrake::editor {

namespace {

    // Control names of each group's rows, resolved once.
    struct GroupControls {
        std::array<std::vector<std::string_view>, kRandomGroupCount> names;
        GroupControls()
        {
            for (int g = 0; g < kRandomGroupCount; ++g) {
                for (const ParameterEntry* p : drawOrder(RandomGroup(g)))
                    names[std::size_t(g)].push_back(p->control);
            }
        }
    };

} // namespace

std::uint32_t Generator::timeOfDaySeed()
{
    using namespace std::chrono;
    const auto ms = duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
    return std::uint32_t(ms % (24LL * 60 * 60 * 1000));
}

int drawAllowedIndex(QStringView text, Generator& gen)
{
    const QChar one(u'1');
    const std::uint32_t n = std::uint32_t(text.count(one));
    std::uint32_t k = gen.next(n) + 1;
    const qsizetype length = text.size();
    for (qsizetype i = 0; i < length; ++i) {
        if (text[i] == one && --k == 0)
            return int(i);
    }
    return int(length) - 1;
}

std::optional<int> randomizeParameter(
    SchemaEntry& entry, ControlKind kind, int minimum, int maximum, Generator& gen)
{
    const int count = maximum - minimum + 1;
    if (count <= 0) {
        gen.next(0);
        return std::nullopt;
    }
    // Flags past the last value stand for nothing and are never drawn.
    const auto inRange = [&] { return QStringView(entry.allowed).left(count); };
    if (kind == ControlKind::Knob && !inRange().contains(u'1')) {
        if (entry.allowed.size() < count)
            entry.allowed += QString(count - entry.allowed.size(), u'0');
        entry.allowed[count / 2] = u'1';
    }
    // A text without "1" gives its last position, cut to the range: "0"
    // (no schema file) is the first item, 0 on a slider, "On" on a check box.
    const int i = drawAllowedIndex(inRange(), gen);
    if (i < 0)
        return std::nullopt;
    switch (kind) {
    case ControlKind::Knob:
    case ControlKind::Slider:
        return minimum + i;
    case ControlKind::List:
    case ControlKind::CheckBox:
        return i;
    }
    return std::nullopt;
}

std::optional<int> randomizeParameter(SchemaEntry& entry, Generator& gen)
{
    const ParameterEntry& p = *entry.parameter;
    return randomizeParameter(entry, p.kind, p.minimum, p.maximum, gen);
}

bool randomizeInto(SoundDump& dump, SchemaEntry& entry, Generator& gen)
{
    const std::optional<int> drawn = randomizeParameter(entry, gen);
    if (!drawn)
        return false;
    const ParameterEntry& p = *entry.parameter;
    // A check box's flags are "On" first; its control value is 1 for on.
    const int value = p.kind == ControlKind::CheckBox ? (*drawn == 0 ? 1 : 0) : *drawn;
    writeValue(dump, p, value);
    return true;
}

std::span<const std::string_view> groupControls(RandomGroup group)
{
    static const GroupControls all;
    const int g = int(group);
    return g >= 0 && g < kRandomGroupCount ? std::span<const std::string_view>(all.names[std::size_t(g)])
                                           : std::span<const std::string_view>();
}

void randomizeGroup(RandomGroup group, SoundDump& dump, SoundFamilySchema& schema, Generator& gen)
{
    auto& entries = schema.entries();
    for (const ParameterEntry* p : drawOrder(group)) {
        const std::size_t index = std::size_t(p->schemaOrder - 1);
        if (index < entries.size())
            randomizeInto(dump, entries[index], gen);
    }
}

void randomizeOsc1(SoundDump& d, SoundFamilySchema& s, Generator& g)
{
    randomizeGroup(RandomGroup::Osc1, d, s, g);
}
void randomizeOsc2(SoundDump& d, SoundFamilySchema& s, Generator& g)
{
    randomizeGroup(RandomGroup::Osc2, d, s, g);
}
void randomizeOsc3(SoundDump& d, SoundFamilySchema& s, Generator& g)
{
    randomizeGroup(RandomGroup::Osc3, d, s, g);
}
void randomizeNoiseRing(SoundDump& d, SoundFamilySchema& s, Generator& g)
{
    randomizeGroup(RandomGroup::NoiseRing, d, s, g);
}
void randomizeOscCommon(SoundDump& d, SoundFamilySchema& s, Generator& g)
{
    randomizeGroup(RandomGroup::OscCommon, d, s, g);
}
void randomizeFilter(SoundDump& d, SoundFamilySchema& s, Generator& g)
{
    randomizeGroup(RandomGroup::Filter, d, s, g);
}
void randomizeLfos(SoundDump& d, SoundFamilySchema& s, Generator& g)
{
    randomizeGroup(RandomGroup::Lfos, d, s, g);
}
void randomizeEnvelopes(SoundDump& d, SoundFamilySchema& s, Generator& g)
{
    randomizeGroup(RandomGroup::Envelopes, d, s, g);
}

void randomizeSound(SoundDump& d, SoundFamilySchema& s, Generator& g)
{
    randomizeOsc1(d, s, g);
    randomizeOsc2(d, s, g);
    randomizeOsc3(d, s, g);
    randomizeNoiseRing(d, s, g);
    randomizeOscCommon(d, s, g);
    randomizeFilter(d, s, g);
    randomizeLfos(d, s, g);
    randomizeEnvelopes(d, s, g);
}

void randomizeOscillators(SoundDump& d, SoundFamilySchema& s, Generator& g)
{
    randomizeOsc1(d, s, g);
    randomizeOsc2(d, s, g);
    randomizeOsc3(d, s, g);
}

QString parameterListCaption(const ParameterEntry& p)
{
    QString caption = QCoreApplication::translate("Randomizer", "Parameter List View");
    if (p.kind == ControlKind::Knob || p.kind == ControlKind::CheckBox)
        caption += QStringLiteral(" (")
            + QCoreApplication::translate("ParameterMap", std::string(p.caption).c_str()) + u')';
    return caption;
}

QStringList parameterListRows(const ParameterEntry& p)
{
    QStringList rows;
    switch (p.kind) {
    case ControlKind::List:
        for (std::string_view item : p.items)
            rows << QString::fromLatin1(item.data(), qsizetype(item.size()));
        break;
    case ControlKind::Knob:
    case ControlKind::Slider:
        for (int v = p.minimum; v <= p.maximum; ++v)
            rows << QString::number(v);
        break;
    case ControlKind::CheckBox:
        rows << QCoreApplication::translate("Randomizer", "On") << QCoreApplication::translate("Randomizer", "Off");
        break;
    }
    return rows;
}

std::vector<bool> parameterListChecks(const ParameterEntry& p, QStringView allowed)
{
    const int count = p.kind == ControlKind::CheckBox ? 2 : int(parameterListRows(p).size());
    std::vector<bool> checks(std::size_t(count), false);
    for (int i = 0; i < count; ++i) {
        if (i < allowed.size())
            checks[std::size_t(i)] = allowed[i] != u'0';
        else
            checks[std::size_t(i)] = p.kind == ControlKind::CheckBox;
    }
    if (p.kind == ControlKind::Knob && !allowed.left(count).contains(u'1'))
        checks[std::size_t(count / 2)] = true;
    return checks;
}

QString allowedFromChecks(const std::vector<bool>& checks)
{
    QString text;
    text.reserve(qsizetype(checks.size()));
    for (bool c : checks)
        text += c ? u'1' : u'0';
    return text;
}

} // namespace sondrake::editor
