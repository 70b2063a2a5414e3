#include "platform/IniFile.h"

#include "platform/AtomicFile.h"

#include <QFile>
#include <QFileInfo>

namespace sondrake {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

QByteArray trimBlanks(const QByteArray& bytes)
{
    qsizetype b = 0;
    qsizetype e = bytes.size();
    while (b < e && (isBlank(bytes[b]) || bytes[b] == '\r'))
        ++b;
    while (e > b && (isBlank(bytes[e - 1]) || bytes[e - 1] == '\r'))
        --e;
    return bytes.mid(b, e - b);
}

constexpr char kUtf8Bom[] = "\xEF\xBB\xBF";

// UTF-16 and UTF-32 text: a byte-order mark of its own, or, without one, a
// zero byte in the first character.
bool isWideText(const QByteArray& bytes)
{
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF"))
        return true;
    return bytes.size() >= 2 && (bytes[0] == '\0' || bytes[1] == '\0');
}

bool sameName(const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

// Reading drops surrounding blanks and one pair of matching quotes; a value
// that would lose something that way is written inside quotes, so that
// reading gives back exactly what was written.
QByteArray encodeValue(const QByteArray& value)
{
    if (value.isEmpty())
        return value;
    const bool blankAtEnd = isBlank(value.front()) || isBlank(value.back());
    const bool looksQuoted
        = value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front();
    return blankAtEnd || looksQuoted ? '"' + value + '"' : value;
}

} // namespace

IniFile::IniFile(const QString& path)
    : path_(path)
{
}

IniFile::Line IniFile::parseLine(QByteArray raw, QByteArray ending)
{
    Line line;
    line.raw = std::move(raw);
    line.ending = std::move(ending);
    const QByteArray t = trimBlanks(line.raw);
    if (t.isEmpty() || t[0] == ';' || t[0] == '#')
        return line;
    if (t[0] == '[') {
        const qsizetype close = t.indexOf(']');
        if (close > 0) {
            line.kind = Kind::Section;
            line.name = QString::fromUtf8(trimBlanks(t.mid(1, close - 1)));
        }
        return line;
    }
    const qsizetype eq = t.indexOf('=');
    if (eq <= 0)
        return line;
    const QByteArray name = trimBlanks(t.left(eq));
    if (name.isEmpty())
        return line;
    QByteArray value = trimBlanks(t.mid(eq + 1));
    if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0])
        value = value.mid(1, value.size() - 2);
    line.kind = Kind::Key;
    line.name = QString::fromUtf8(name);
    line.value = QString::fromUtf8(value);
    return line;
}

void IniFile::parse(const QByteArray& bytes)
{
    lines_.clear();
    bom_.clear();
    qsizetype pos = 0;
    // Editors on Windows start UTF-8 files with a byte-order mark; read as
    // part of the first line it would hide the first section.
    if (bytes.startsWith(kUtf8Bom)) {
        bom_ = QByteArray(kUtf8Bom);
        pos = bom_.size();
    }
    const qsizetype n = bytes.size();
    while (pos < n) {
        const qsizetype nl = bytes.indexOf('\n', pos);
        if (nl < 0) {
            lines_.push_back(parseLine(bytes.mid(pos), QByteArray()));
            break;
        }
        qsizetype contentEnd = nl;
        if (contentEnd > pos && bytes[contentEnd - 1] == '\r')
            --contentEnd;
        lines_.push_back(parseLine(bytes.mid(pos, contentEnd - pos), bytes.mid(contentEnd, nl + 1 - contentEnd)));
        pos = nl + 1;
    }
}

QByteArray IniFile::toBytes() const
{
    qsizetype total = 0;
    for (const Line& l : lines_)
        total += l.raw.size() + l.ending.size();
    QByteArray out;
    out.reserve(bom_.size() + total);
    out += bom_;
    for (const Line& l : lines_) {
        out += l.raw;
        out += l.ending;
    }
    return out;
}

bool IniFile::load(QString* error)
{
    lines_.clear();
    // Opening a named pipe would wait for a writer, with the window frozen.
    const QFileInfo info(path_);
    if (info.exists() && !info.isFile()) {
        if (error)
            *error = QStringLiteral("it is not a plain file");
        return false;
    }
    QFile file(path_);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    if (file.size() > maxFileSize) {
        if (error)
            *error = QStringLiteral("the file is larger than %1 MB, too large for a settings file")
                         .arg(maxFileSize / (1024 * 1024));
        return false;
    }
    // A size of 0 may also mean a device or a pipe: those are read with a
    // limit. A plain file is read at its own size, because read(n) reserves
    // n bytes first, and a 16 MB buffer for every small file costs time.
    const QByteArray bytes = file.isSequential() ? file.read(maxFileSize + 1) : file.readAll();
    if (file.error() != QFileDevice::NoError) {
        if (error)
            *error = file.errorString();
        return false;
    }
    if (bytes.size() > maxFileSize) {
        if (error)
            *error = QStringLiteral("the file is too large for a settings file");
        return false;
    }
    if (isWideText(bytes)) {
        // Read byte by byte it would look empty, and saving would replace it.
        if (error)
            *error = QStringLiteral("the file is saved as UTF-16 (or UTF-32) text; save it as UTF-8 text to use it");
        return false;
    }
    parse(bytes);
    return true;
}

bool IniFile::save(QString* error) const { return writeFileAtomically(path_, toBytes(), error); }

int IniFile::findSection(const QString& section) const
{
    const QString wanted = section.trimmed();
    for (std::size_t i = 0; i < lines_.size(); ++i)
        if (lines_[i].kind == Kind::Section && sameName(lines_[i].name, wanted))
            return static_cast<int>(i);
    return -1;
}

int IniFile::sectionEnd(int sectionLine) const
{
    std::size_t i = static_cast<std::size_t>(sectionLine) + 1;
    while (i < lines_.size() && lines_[i].kind != Kind::Section)
        ++i;
    return static_cast<int>(i);
}

QByteArray IniFile::lineEnding() const
{
    for (const Line& l : lines_)
        if (!l.ending.isEmpty())
            return l.ending;
    return QByteArrayLiteral("\n");
}

QString IniFile::read(const QString& section, const QString& key, const QString& defaultValue, bool* found) const
{
    if (found)
        *found = false;
    const int s = findSection(section);
    if (s < 0)
        return defaultValue;
    const QString wanted = key.trimmed();
    const int end = sectionEnd(s);
    for (int i = s + 1; i < end; ++i) {
        const Line& l = lines_[static_cast<std::size_t>(i)];
        if (l.kind == Kind::Key && sameName(l.name, wanted)) {
            if (found)
                *found = true;
            return l.value;
        }
    }
    return defaultValue;
}

void IniFile::write(const QString& section, const QString& key, const QString& value)
{
    QString clean = value;
    clean.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    const QString keyName = key.trimmed();
    const QByteArray encoded = encodeValue(clean.toUtf8());
    const QByteArray raw = keyName.toUtf8() + '=' + encoded;
    const QByteArray eol = lineEnding();

    auto makeLine = [&](const QByteArray& bytes) { return parseLine(bytes, eol); };

    int s = findSection(section);
    if (s < 0) {
        if (!lines_.empty() && lines_.back().ending.isEmpty())
            lines_.back().ending = eol;
        lines_.push_back(makeLine('[' + section.trimmed().toUtf8() + ']'));
        lines_.push_back(makeLine(raw));
        return;
    }
    const int end = sectionEnd(s);
    for (int i = s + 1; i < end; ++i) {
        Line& l = lines_[static_cast<std::size_t>(i)];
        if (l.kind == Kind::Key && sameName(l.name, keyName)) {
            if (l.value == clean)
                return; // already says so: leave the line exactly as it is
            // Keep the key's own spelling and the blanks around '='.
            qsizetype cut = l.raw.indexOf('=') + 1;
            while (cut < l.raw.size() && isBlank(l.raw[cut]))
                ++cut;
            const QByteArray prefix = l.raw.left(cut);
            l = parseLine(prefix + encoded, l.ending);
            return;
        }
    }
    // After the last non-blank line of the section, so blank lines that
    // separate it from the next section stay where they are.
    int insertAt = s + 1;
    for (int i = end - 1; i > s; --i) {
        if (!trimBlanks(lines_[static_cast<std::size_t>(i)].raw).isEmpty()) {
            insertAt = i + 1;
            break;
        }
    }
    Line& before = lines_[static_cast<std::size_t>(insertAt - 1)];
    if (before.ending.isEmpty())
        before.ending = eol;
    lines_.insert(lines_.begin() + insertAt, makeLine(raw));
}

bool IniFile::hasSection(const QString& section) const { return findSection(section) >= 0; }

QStringList IniFile::sections() const
{
    QStringList out;
    for (const Line& l : lines_)
        if (l.kind == Kind::Section && !out.contains(l.name, Qt::CaseInsensitive))
            out << l.name;
    return out;
}

QStringList IniFile::keys(const QString& section) const
{
    QStringList out;
    const int s = findSection(section);
    if (s < 0)
        return out;
    const int end = sectionEnd(s);
    for (int i = s + 1; i < end; ++i) {
        const Line& l = lines_[static_cast<std::size_t>(i)];
        if (l.kind == Kind::Key && !out.contains(l.name, Qt::CaseInsensitive))
            out << l.name;
    }
    return out;
}

} // namespace sondrake
