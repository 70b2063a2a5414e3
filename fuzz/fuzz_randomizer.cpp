// The randomizer on arbitrary schema texts: the text is loaded as a
// ".sndfamily" file, then whole sounds are randomized from it.
// - every drawn value lies in its parameter's range;
// - a parameter either keeps its value or gets one of its range;
// - only bits of the 99 schema parameters change;
// - the "R" list of every parameter has one check per row;
// - saving the schema and loading it again gives back every entry.

#include "FuzzCheck.h"
#include "editor/Randomizer.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <unistd.h>

using namespace sondrake;
using namespace sondrake::editor;

namespace {

// Saving syncs the file to disk; in memory that costs nothing, on a disk it
// would make every run wait.
QString scratch(const char* what)
{
    static const QString folder = QFileInfo(QStringLiteral("/dev/shm")).isWritable() ? QStringLiteral("/dev/shm")
                                                                                      : QDir::tempPath();
    return QStringLiteral("%1/sondrake-fuzz-%2-%3.sndfamily").arg(folder).arg(::getpid()).arg(QLatin1String(what));
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

std::uint8_t schemaBits(const ParameterEntry& e)
{
    if (e.storage.encoding == Encoding::NotStored)
        return 0;
    if (e.storage.encoding == Encoding::BitField)
        return std::uint8_t(((1u << (e.storage.hi - e.storage.lo + 1)) - 1u) << e.storage.lo);
    return 0xFF;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider in(data, size);
    const std::uint32_t seed = in.ConsumeIntegral<std::uint32_t>();
    // The slower checks (the "R" list, a save and a load) run for some
    // inputs only, so the draws get most of the time.
    const std::uint8_t extras = in.ConsumeIntegral<std::uint8_t>();
    SoundDump dump {};
    const std::vector<std::uint8_t> start = in.ConsumeBytes<std::uint8_t>(in.ConsumeBool() ? kDumpSize : 0);
    std::copy(start.begin(), start.end(), dump.begin());
    const std::string text = in.ConsumeRemainingBytesAsString();

    const QString path = scratch("in");
    FUZZ_CHECK(writeFile(path, QByteArray(text.data(), qsizetype(text.size()))), "cannot write %s",
        qPrintable(path));
    SoundFamilySchema schema;
    QString error;
    // Wide text is the one thing a schema load refuses; anything else loads.
    if (!schema.load(path, &error)) {
        FUZZ_CHECK(error.contains(QLatin1String("UTF-16")), "loading failed: %s", qPrintable(error));
        return 0;
    }

    static const auto bitsOfSchema = [] {
        std::array<std::uint8_t, kDumpSize> b {};
        for (const ParameterEntry* e : schemaEntries())
            if (e->isStored())
                b[std::size_t(e->storage.byte)] |= schemaBits(*e);
        return b;
    }();

    Generator gen(seed);
    for (SchemaEntry& e : schema.entries()) {
        const ParameterEntry& p = *e.parameter;
        const int count = p.kind == ControlKind::CheckBox ? 2 : p.valueCount();
        const std::vector<bool> checks = (extras & 1) ? parameterListChecks(p, e.allowed) : std::vector<bool>(std::size_t(count));
        FUZZ_CHECK(int(checks.size()) == count, "%.*s: %zu checks for %d rows", int(p.control.size()),
            p.control.data(), checks.size(), count);
        SchemaEntry copy = e;
        const std::optional<int> v = randomizeParameter(copy, gen);
        if (v) {
            const int lo = p.kind == ControlKind::Knob || p.kind == ControlKind::Slider ? p.minimum : 0;
            const int hi = p.kind == ControlKind::Knob || p.kind == ControlKind::Slider ? p.maximum : count - 1;
            FUZZ_CHECK(*v >= lo && *v <= hi, "%.*s drew %d outside %d..%d from \"%s\"", int(p.control.size()),
                p.control.data(), *v, lo, hi, qPrintable(e.allowed));
        } else {
            FUZZ_CHECK(p.kind != ControlKind::Knob, "knob %.*s drew nothing", int(p.control.size()), p.control.data());
        }
    }

    for (int round = 0; round < 3; ++round) {
        const SoundDump before = dump;
        randomizeSound(dump, schema, gen);
        for (std::size_t i = 0; i < kDumpSize; ++i)
            FUZZ_CHECK(((before[i] ^ dump[i]) & ~bitsOfSchema[i]) == 0, "byte %zu outside the schema changed", i);
        for (const SchemaEntry& e : schema.entries()) {
            const ParameterEntry& p = *e.parameter;
            const int now = readValue(dump, p);
            const int was = readValue(before, p);
            FUZZ_CHECK(now == was || (now >= p.minimum && now <= p.maximum),
                "%.*s became %d, outside %d..%d", int(p.control.size()), p.control.data(), now, p.minimum, p.maximum);
        }
    }

    if (!(extras & 2))
        return 0;
    // What was loaded (and changed by the knob fallback) survives a save.
    const QString out = scratch("out");
    QFile::remove(out);
    FUZZ_CHECK(schema.save(out, &error), "saving failed: %s", qPrintable(error));
    SoundFamilySchema again;
    FUZZ_CHECK(again.load(out, &error), "reloading failed: %s", qPrintable(error));
    // (A carriage return inside a value is written as a blank: it would end
    // the line for other readers.)
    for (std::size_t i = 0; i < schema.entries().size(); ++i)
        FUZZ_CHECK(again.entries()[i].allowed == QString(schema.entries()[i].allowed).replace(u'\r', u' '), "%s: saved \"%s\", loaded \"%s\"",
            qPrintable(schema.entries()[i].key), qPrintable(schema.entries()[i].allowed),
            qPrintable(again.entries()[i].allowed));
    return 0;
}
