#include "editor/Schema.h"

#include "platform/IniFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <cstdlib>

namespace sondrake::editor {

namespace {

    constexpr qsizetype kMaxKeyLength = 50;

    QString keyOf(const ParameterEntry& p)
    {
        return QString::fromLatin1(p.key.data(), qsizetype(p.key.size())).left(kMaxKeyLength);
    }

} // namespace

QString allowedAround(const ParameterEntry& p, int current, const SchemaTolerances& t)
{
    int tolerance = 0;
    switch (p.tolerance) {
    case ToleranceClass::None: // not a schema row: only its own value
        break;
    case ToleranceClass::Exact:
        return current != 0 ? QStringLiteral("10") : QStringLiteral("01");
    case ToleranceClass::List:
        tolerance = t.comboBox;
        break;
    case ToleranceClass::Semitone:
        tolerance = t.semitone;
        break;
    case ToleranceClass::Detune:
        tolerance = t.detune;
        break;
    case ToleranceClass::OtherKnob:
        tolerance = t.otherKnobs;
        break;
    }
    QString flags;
    flags.reserve(p.valueCount());
    for (int v = p.minimum; v <= p.maximum; ++v)
        flags += std::abs(v - current) <= tolerance ? u'1' : u'0';
    return flags;
}

SoundFamilySchema::SoundFamilySchema()
{
    m_entries.reserve(kEntryCount);
    for (const ParameterEntry* p : schemaEntries())
        m_entries.push_back(SchemaEntry { keyOf(*p), p, QString() });
}

SchemaEntry* SoundFamilySchema::entryForControl(std::string_view controlName)
{
    const ParameterEntry* p = editor::entryForControl(controlName);
    if (!p || !p->inSchema())
        return nullptr;
    return &entryFor(*p);
}

const SchemaEntry* SoundFamilySchema::entryForControl(std::string_view controlName) const
{
    return const_cast<SoundFamilySchema*>(this)->entryForControl(controlName);
}

SchemaEntry& SoundFamilySchema::entryFor(const ParameterEntry& parameter)
{
    return m_entries.at(std::size_t(parameter.schemaOrder - 1));
}

QString SoundFamilySchema::allowedValues(std::string_view controlName) const
{
    const SchemaEntry* e = entryForControl(controlName);
    return e ? e->allowed : QString();
}

void SoundFamilySchema::setAllowedValues(std::string_view controlName, const QString& text)
{
    if (SchemaEntry* e = entryForControl(controlName))
        e->allowed = text;
}

void SoundFamilySchema::buildFromCurrentValues(
    const std::function<int(const ParameterEntry&)>& currentValue, const SchemaTolerances& tolerances)
{
    for (SchemaEntry& e : m_entries)
        e.allowed = allowedAround(*e.parameter, currentValue(*e.parameter), tolerances);
}

bool SoundFamilySchema::load(const QString& path, QString* error)
{
    IniFile file(path);
    if (QFileInfo::exists(path) && !file.load(error))
        return false;
    const QString section = QString::fromLatin1(kSection);
    for (SchemaEntry& e : m_entries)
        e.allowed = file.read(section, e.key, QStringLiteral("0"));
    return true;
}

bool SoundFamilySchema::save(const QString& path, QString* error) const
{
    IniFile file(path);
    // Saving keeps every other key and section of the file, so a file that
    // exists but cannot be read must not be replaced by our keys alone.
    if (QFileInfo::exists(path) && !file.load(error))
        return false;
    const QString section = QString::fromLatin1(kSection);
    for (const SchemaEntry& e : m_entries)
        file.write(section, e.key, e.allowed);
    return file.save(error);
}

bool isValidSchemaName(const QString& name, QString* problem)
{
    const auto refuse = [problem](const QString& why) {
        if (problem)
            *problem = why;
        return false;
    };
    if (name.isEmpty())
        return refuse(QCoreApplication::translate("Schema", "Please set the schema name."));
    if (name.contains(u'/') || name.contains(u'\\'))
        return refuse(QCoreApplication::translate("Schema", "The schema name must not contain a path separator (\"/\" or \"\\\")."));
    if (name.contains(QStringLiteral("..")))
        return refuse(QCoreApplication::translate("Schema", "The schema name must not contain \"..\"."));
    for (const QChar c : name) {
        if (c.unicode() < 32 || c.unicode() == 127)
            return refuse(QCoreApplication::translate("Schema", "The schema name must not contain control characters."));
        if (QStringLiteral("<>:\"|?*").contains(c))
            return refuse(QCoreApplication::translate("Schema", "The schema name must not contain the character \"%1\".").arg(c));
    }
    if (name.endsWith(u' ') || name.endsWith(u'.'))
        return refuse(QCoreApplication::translate("Schema", "The schema name must not end with a blank or a dot."));
    return true;
}

QString schemaPath(const QString& folder, const QString& name)
{
    const QDir dir(folder);
    const QString extension = QString::fromLatin1(SoundFamilySchema::kExtension);
    const QString fileName = name + extension;
    if (QFileInfo::exists(dir.filePath(fileName)))
        return dir.filePath(fileName);
    // A schema copied from a system that ignores case may end in
    // ".SNDFAMILY"; the list shows it under its name, so it must load (and
    // save) under that name too.
    for (const QString& other : dir.entryList({ QStringLiteral("*") + extension }, QDir::Files | QDir::Hidden)) {
        if (other.size() == fileName.size() && other.startsWith(name)
            && other.endsWith(extension, Qt::CaseInsensitive))
            return dir.filePath(other);
    }
    return dir.filePath(fileName);
}

QString findSchemaPath(const QStringList& folders, const QString& name)
{
    for (const QString& folder : folders) {
        const QString path = schemaPath(folder, name);
        if (QFileInfo(path).isFile())
            return path;
    }
    return schemaPath(folders.value(0), name);
}

QStringList listSchemaNames(const QString& folder)
{
    const QString extension = QString::fromLatin1(SoundFamilySchema::kExtension);
    QStringList names;
    // As a wildcard listing that ignores case and shows hidden files: a name
    // saved from the schema box (".dark" is one) must always come back here.
    const QFileInfoList files
        = QDir(folder).entryInfoList({ QStringLiteral("*") + extension }, QDir::Files | QDir::Hidden | QDir::Readable, QDir::Name);
    for (const QFileInfo& f : files)
        names << f.fileName().chopped(extension.size());
    names.removeDuplicates();
    return names;
}

QStringList listSchemaNames(const QStringList& folders)
{
    QStringList names;
    for (const QString& folder : folders)
        names << listSchemaNames(folder);
    names.removeDuplicates();
    names.sort();
    return names;
}

} // namespace sondrake::editor
