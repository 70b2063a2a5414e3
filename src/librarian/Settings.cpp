#include "librarian/Settings.h"

#include "platform/IniFile.h"

#include <QFileInfo>

namespace sondrake::settings {

namespace {

struct ByteKey {
    const char* name;
    std::uint8_t Settings::*field;
};

// In the order they are written.
constexpr ByteKey kByteKeys[] = {
    { "ToleranceComboBox", &Settings::toleranceComboBox },
    { "ToleranceOctave", &Settings::toleranceOctave },
    { "ToleranceKeytrack", &Settings::toleranceKeytrack },
    { "ToleranceOtherKnobs", &Settings::toleranceOtherKnobs },
    { "ToleranceSemitoneKnobs", &Settings::toleranceSemitoneKnobs },
    { "ToleranceDetuneKnobs", &Settings::toleranceDetuneKnobs },
};

constexpr const char* kAutoloadKey = "Autoloadfile";

} // namespace

std::uint8_t parseByte(const QString& text, std::uint8_t defaultValue)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok, 10);
    if (!ok)
        return defaultValue;
    return static_cast<std::uint8_t>(static_cast<unsigned>(value) & 0xFFu);
}

Settings read(const IniFile& ini)
{
    Settings values;
    values.autoloadFile = ini.read(kSection, kAutoloadKey, QString());
    for (const ByteKey& key : kByteKeys) {
        bool found = false;
        const QString text = ini.read(kSection, key.name, QString(), &found);
        if (found)
            values.*key.field = parseByte(text, values.*key.field);
    }
    return values;
}

void write(IniFile& ini, const Settings& values)
{
    ini.write(kSection, kAutoloadKey, values.autoloadFile);
    for (const ByteKey& key : kByteKeys)
        ini.write(kSection, key.name, QString::number(values.*key.field));
}

bool load(const QString& path, Settings& values, QString* error)
{
    values = Settings();
    if (!QFileInfo::exists(path))
        return true;
    IniFile ini(path);
    if (!ini.load(error))
        return false;
    values = read(ini);
    return true;
}

bool save(const QString& path, const Settings& values, QString* error)
{
    IniFile ini(path);
    if (QFileInfo::exists(path) && !ini.load(error))
        return false;
    write(ini, values);
    return ini.save(error);
}

} // namespace sondrake::settings
