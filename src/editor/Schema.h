#pragma once

// Sound-family schemas: for each of the 99 schema parameters a text of "0"/"1"
// flags, one per value of the parameter, saying which values the randomizer
// may choose. Window-free: the editor window owns one SoundFamilySchema and
// calls these operations from its handlers.

#include "editor/ParameterMapLive.h"
#include "editor/SchemaTolerances.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <string_view>
#include <vector>

namespace sondrake::editor {

// Flag positions by control kind (counted from 0): knob and slider Min + i,
// list item i, check box 0 = "On", 1 = "Off".
struct SchemaEntry {
    QString key; // the schema key, at most 50 characters
    const ParameterEntry* parameter = nullptr; // the control the entry belongs to
    QString allowed; // only "1" counts as allowed when drawing
};

// The flags of one parameter around its current control value: a knob or
// slider position, a list index (-1 when nothing is selected), or a check box
// state (1 = ticked). Every value within the tolerance of the row's tolerance
// class is allowed, cut to the range (no wrap-around); a check box allows
// exactly its state ("10" ticked, "01" not).
QString allowedAround(const ParameterEntry& parameter, int current, const SchemaTolerances& tolerances);

class SoundFamilySchema {
public:
    static constexpr int kEntryCount = 99;
    static constexpr const char* kSection = "Parameters";
    static constexpr const char* kExtension = ".sndfamily";

    // The 99 entries in schema order, each with its key, its parameter and an
    // empty Allowed text.
    SoundFamilySchema();

    std::vector<SchemaEntry>& entries() { return m_entries; }
    const std::vector<SchemaEntry>& entries() const { return m_entries; }

    SchemaEntry* entryForControl(std::string_view controlName);
    const SchemaEntry* entryForControl(std::string_view controlName) const;
    SchemaEntry& entryFor(const ParameterEntry& parameter); // parameter must be in the schema

    // The Allowed text of the control's entry; empty when it has none.
    QString allowedValues(std::string_view controlName) const;
    // No effect when the control has no entry.
    void setAllowedValues(std::string_view controlName, const QString& text);

    // Replaces every entry's Allowed text by the flags around the control's
    // current value, which currentValue() gives (see allowedAround).
    void buildFromCurrentValues(const std::function<int(const ParameterEntry&)>& currentValue,
        const SchemaTolerances& tolerances);

    // Every entry takes the value of its key in section "Parameters" of the
    // file, or "0" where the key is missing. A file that does not exist reads
    // as all "0". On a read failure returns false with the reason and changes
    // nothing.
    bool load(const QString& path, QString* error);

    // Writes every entry, in entry order, as key = Allowed into section
    // "Parameters", updating keys in place and keeping everything else of an
    // existing file. An existing file that cannot be read is not overwritten.
    // The file is replaced atomically.
    bool save(const QString& path, QString* error) const;

private:
    std::vector<SchemaEntry> m_entries;
};

// Checks a name typed into the schema box before it becomes part of a path.
// Refused: an empty name, a path separator, "..", a character not allowed in
// file names on Linux or Windows (<>:"/\|?* and control characters), and a
// name Windows cannot hold (ending in a blank or a dot). The reason names the
// problem.
bool isValidSchemaName(const QString& name, QString* problem);

// <folder>/<name>.sndfamily, or the existing file of that name whose
// extension differs only in case.
QString schemaPath(const QString& folder, const QString& name);

// The file the schema of that name loads from: the first of folders that
// holds it, or where it would be saved when none does.
QString findSchemaPath(const QStringList& folders, const QString& name);

// The names (file name without ".sndfamily", in any case) of the schema
// files in folder, hidden ones too, sorted by name; directories are skipped.
QStringList listSchemaNames(const QString& folder);
// The same over several folders: every name once, sorted by name.
QStringList listSchemaNames(const QStringList& folders);

} // namespace sondrake::editor
