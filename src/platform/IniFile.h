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

    const QString& path() const { return m_path; }

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
    enum class Kind : quint8 { Other, Section, Key };
    // One line, as places in its text: the file's bytes, or for a line that
    // write() made, a text of its own. A file of millions of short lines
    // must load in a moment and in little memory, so nothing is copied.
    struct Line {
        qint32 begin = 0; // content (without the line ending) in the text
        qint32 size = 0;
        qint32 nameBegin = 0; // section or key name, trimmed; from begin
        qint32 nameSize = 0;
        qint32 valueBegin = 0; // key value as read; from begin
        qint32 valueSize = 0;
        qint32 own = -1; // index into m_made, or -1: the file's bytes
        quint8 ending = 0; // 0: none (last line), 1: "\n", 2: "\r\n"
        Kind kind = Kind::Other;
        bool asciiName = true;
    };

    // The bytes of a line's content, name and value.
    QByteArrayView content(const Line& line) const;
    QByteArrayView name(const Line& line) const;
    QByteArrayView value(const Line& line) const;
    // Classifies the content [begin, begin + size) of text.
    static Line scanLine(QByteArrayView text, qint32 begin, qint32 size, quint8 ending);
    // A line of its own text (write()).
    Line madeLine(const QByteArray& content, quint8 ending);
    // Whether a line's name is `wanted` without regard to case.
    struct Name {
        QString text;
        QByteArray utf8;
        bool ascii = true;
        explicit Name(const QString& name);
    };
    bool sameName(const Line& line, const Name& wanted) const;
    int findSection(const Name& section) const; // index of the section line, or -1
    int sectionEnd(int sectionLine) const; // index of the next section line, or size
    quint8 lineEnding() const;

    QString m_path;
    QByteArray m_bom; // a UTF-8 byte-order mark the file began with
    QByteArray m_data; // the bytes parsed (after the mark)
    std::vector<QByteArray> m_made; // texts of the lines write() made
    std::vector<Line> m_lines;
};

} // namespace sondrake
