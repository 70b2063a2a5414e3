// Writes the seed corpora of the fuzz targets: make_seeds <corpus folder>.
// Every seed comes from the project's own formats: bank files of whole and
// broken blocks, settings and schema files as the program writes them, sounds
// around real parameter values. Deterministic, so a run can be repeated.

#include "editor/Schema.h"
#include "platform/IniFile.h"
#include "store/SoundStore.h"

#include <QByteArray>
#include <QDir>
#include <QFile>

#include <cstdio>
#include <random>

using namespace sondrake;

namespace {

QString root;
std::mt19937 rng(20261208);

void put(const char* target, const QString& name, const QByteArray& bytes)
{
    const QString folder = root + QLatin1Char('/') + QLatin1String(target);
    QDir().mkpath(folder);
    QFile f(folder + QLatin1Char('/') + name);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(f.fileName()));
        std::exit(1);
    }
}

SoundDump sound(int slot)
{
    SoundDump d {};
    for (std::size_t i = 1; i + 1 < kDumpSize; ++i)
        d[i] = std::uint8_t((i * 13 + std::size_t(slot)) & 0x7F);
    d[0] = 0xF0;
    d[kDumpSize - 1] = 0xF7;
    d[kLocationBankByte] = std::uint8_t(slot / 100 + 1);
    d[kLocationProgramByte] = std::uint8_t(slot % 100);
    writeName(d, "Seed " + std::to_string(slot));
    return d;
}

QByteArray bytesOf(const SoundDump& d) { return QByteArray(reinterpret_cast<const char*>(d.data()), kDumpSize); }

QByteArray randomBytes(std::size_t n)
{
    QByteArray b;
    for (std::size_t i = 0; i < n; ++i)
        b += char(rng() & 0xFF);
    return b;
}

void bankSeeds()
{
    QByteArray bank;
    for (int s = 0; s < kSlotCount; ++s)
        bank += bytesOf(sound(s));
    for (char mode : { char(0), char(1), char(37) }) {
        const QByteArray m(1, mode);
        put("bankfile", QStringLiteral("empty-%1").arg(int(mode)), m);
        put("bankfile", QStringLiteral("one-%1").arg(int(mode)), m + bytesOf(sound(0)));
        put("bankfile", QStringLiteral("short-%1").arg(int(mode)), m + bytesOf(sound(0)).left(200));
        put("bankfile", QStringLiteral("three-and-a-bit-%1").arg(int(mode)), m + bank.left(3 * 270 + 17));
        put("bankfile", QStringLiteral("bank-%1").arg(int(mode)), m + bank);
        put("bankfile", QStringLiteral("bank-plus-%1").arg(int(mode)), m + bank + bytesOf(sound(5)) + "xyz");
    }
}

void iniSeeds()
{
    const QByteArray settings = "[Globals]\r\nAutoloadfile=C:\\Banks\\mine.syx\r\nToleranceComboBox=0\r\n"
                                "ToleranceOctave=2\r\nToleranceKeytrack=0\r\nToleranceOtherKnobs=300\r\n"
                                "ToleranceSemitoneKnobs=0\r\nToleranceDetuneKnobs=3\r\n";
    const QByteArray mixed = "; comment\n# another\n\n[Other]\nkey = \"quoted value\" \n  [ globals ]  \n"
                             "autoloadFILE = /tmp/x.syx\nAutoloadfile=second\n\n\n[Empty]\n[Last]\nno newline=1";
    // Seeds are raw text followed by a few write commands (their bytes are
    // taken from the end by the target).
    put("inifile", QStringLiteral("settings"), settings + randomBytes(24));
    put("inifile", QStringLiteral("mixed"), mixed + randomBytes(24));
    put("inifile", QStringLiteral("empty"), randomBytes(16));
    put("inifile", QStringLiteral("bare"), QByteArray("a=1\nb\n=c\n[\n]x\n[s]t\n") + randomBytes(16));
}

QByteArray schemaText(const SoundDump& d, const editor::SchemaTolerances& t)
{
    editor::SoundFamilySchema schema;
    schema.buildFromCurrentValues([&](const editor::ParameterEntry& p) { return editor::readValue(d, p); }, t);
    IniFile file;
    for (const editor::SchemaEntry& e : schema.entries())
        file.write(QStringLiteral("Parameters"), e.key, e.allowed);
    return file.toBytes();
}

void randomizerSeeds()
{
    const QByteArray seed = randomBytes(4);
    // The text comes first; the choices (no start dump, the generator's seed)
    // are taken from the end.
    const QByteArray tail = char(0) + QByteArray(1, char(3)) + seed; // no start dump, every check, the seed
    put("randomizer", QStringLiteral("none"), tail);
    put("randomizer", QStringLiteral("defaults"), schemaText(sound(7), {}) + tail);
    put("randomizer", QStringLiteral("wide"), schemaText(sound(42), { 64, 64, 64, 64 }) + tail);
    put("randomizer", QStringLiteral("odd"),
        "[parameters]\nosc1forms=1111111111111111111111111\nKnobOsc1Semitone=1\nOsc1Semitone=\n"
              "FilterSlope=0001\nckbOsc12Sync=\nLfo1Keysync=1111\nCMBUNISON=00000001\n[Parameters]\nMixerOut=0\n" + tail);
}

void parameterMapSeeds()
{
    for (int s : { 0, 77, 199 }) {
        SoundDump d = sound(s);
        if (s == 199)
            d.fill(0xFF);
        put("parametermap", QStringLiteral("sound-%1").arg(s), bytesOf(d) + randomBytes(64));
    }
}

void receptionSeeds()
{
    for (int i = 0; i < 8; ++i)
        put("reception", QStringLiteral("stream-%1").arg(i), randomBytes(64 + std::size_t(i) * 96));
    // A bank read answered by whole dumps: integral choices are taken from
    // the end of the input, so a long run of one value keeps choosing them.
    put("reception", QStringLiteral("dumps"), randomBytes(32) + QByteArray(400, char(0)));
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_seeds <corpus folder>\n");
        return 2;
    }
    root = QString::fromLocal8Bit(argv[1]);
    bankSeeds();
    iniSeeds();
    randomizerSeeds();
    parameterMapSeeds();
    receptionSeeds();
    return 0;
}
