#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

namespace sondrake {

// An INI file edited the way the classic profile functions do it:
// - section and key names are matched without regard to case (surrounding
//   blanks do not count);
// - when a key is repeated, the first one in the first matching section wins;
// - write() updates the first matching key in place, or appends the key after
//   the last non-blank line of its section, or appends the section at the end
//   of the file when it is missing;
// - nothing else is removed or reordered, and every line write() does not
//   touch keeps its bytes exactly, line ending included (also a last line
//   without a newline, unless something has to be appended after it).
// Lines starting with ';' or '#' are comments. A UTF-8 byte-order mark
// before the first line is kept but not read as part of it; a UTF-16 or
// UTF-32 file is refused by load(). Values are UTF-8; surrounding
// blanks and one pair of matching surrounding quotes are dropped on reading,
// so write() puts a value that has either inside quotes: what it writes reads
// back unchanged.
class IniFile {
public:
    IniFile() = default;
    explicit IniFile(const QString& path);

    const QString& path() const { return path_; }

    // Reads the file at path(). On failure returns false, puts the operating
    // system's reason into *error and leaves the contents empty. A missing
    // file is a failure too: callers for which that is normal check
    // QFileInfo::exists() first. Files above maxFileSize are refused.
    bool load(QString* error = nullptr);

    // Writes the contents atomically (temporary file, then rename), so a
    // failed save leaves the previous file as it was.
    bool save(QString* error = nullptr) const;

    // In-memory parsing and serialising; toBytes(fromBytes(x)) == x.
    void parse(const QByteArray& bytes);
    QByteArray toBytes() const;

    QString read(const QString& section, const QString& key, const QString& defaultValue = QString(),
        bool* found = nullptr) const;
    // Line breaks in the value are written as blanks so a value can never
    // start a line of its own.
    void write(const QString& section, const QString& key, const QString& value);

    bool hasSection(const QString& section) const;
    // Names as written in the file, first occurrence of each (case-insensitively), in file order.
    QStringList sections() const;
    QStringList keys(const QString& section) const;

    static constexpr qint64 maxFileSize = 16 * 1024 * 1024;

private:
    enum class Kind { Other, Section, Key };
    struct Line {
        QByteArray raw; // content without the line ending
        QByteArray ending; // "\n", "\r\n" or "" (last line)
        Kind kind = Kind::Other;
        QString name; // section or key name, trimmed
        QString value; // key value as read
    };

    static Line parseLine(QByteArray raw, QByteArray ending);
    int findSection(const QString& section) const; // index of the section line, or -1
    int sectionEnd(int sectionLine) const; // index of the next section line, or size
    QByteArray lineEnding() const;

    QString path_;
    QByteArray bom_; // a UTF-8 byte-order mark the file began with
    std::vector<Line> lines_;
};

} // namespace sondrake
