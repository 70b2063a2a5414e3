#include "platform/IniFile.h"

#include "platform/AtomicFile.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <climits>
#include <cstring>

namespace sondrake {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isTrimmed(char c) { return isBlank(c) || c == '\r'; }

// Narrows [b, e) of text to leave out blanks and carriage returns at both ends.
void trim(QByteArrayView text, qint32& b, qint32& e)
{
    while (b < e && isTrimmed(text[b]))
        ++b;
    while (e > b && isTrimmed(text[e - 1]))
        --e;
}

qint32 find(QByteArrayView text, char c, qint32 from, qint32 to)
{
    for (qint32 i = from; i < to; ++i)
        if (text[i] == c)
            return i;
    return -1;
}

bool isAscii(QByteArrayView bytes)
{
    for (const char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

QByteArrayView endingBytes(quint8 ending)
{
    switch (ending) {
    case 1:
        return "\n";
    case 2:
        return "\r\n";
    default:
        return {};
    }
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
    : m_path(path)
{
}

IniFile::Name::Name(const QString& name)
    : text(name.trimmed())
    , utf8(text.toUtf8())
    , ascii(isAscii(utf8))
{
}

IniFile::Line IniFile::scanLine(QByteArrayView text, qint32 begin, qint32 size, quint8 ending)
{
    Line line;
    line.begin = begin;
    line.size = size;
    line.ending = ending;
    const QByteArrayView c = text.sliced(begin, size);
    qint32 b = 0;
    qint32 e = size;
    trim(c, b, e);
    if (b == e || c[b] == ';' || c[b] == '#')
        return line;
    if (c[b] == '[') {
        const qint32 close = find(c, ']', b + 1, e);
        if (close > 0) {
            qint32 nb = b + 1;
            qint32 ne = close;
            trim(c, nb, ne);
            line.kind = Kind::Section;
            line.nameBegin = nb;
            line.nameSize = ne - nb;
            line.asciiName = isAscii(c.sliced(nb, ne - nb));
        }
        return line;
    }
    const qint32 eq = find(c, '=', b, e);
    if (eq <= b)
        return line;
    qint32 nb = b;
    qint32 ne = eq;
    trim(c, nb, ne);
    if (nb == ne)
        return line;
    qint32 vb = eq + 1;
    qint32 ve = e;
    trim(c, vb, ve);
    if (ve - vb >= 2 && (c[vb] == '"' || c[vb] == '\'') && c[ve - 1] == c[vb]) {
        ++vb;
        --ve;
    }
    line.kind = Kind::Key;
    line.nameBegin = nb;
    line.nameSize = ne - nb;
    line.valueBegin = vb;
    line.valueSize = ve - vb;
    line.asciiName = isAscii(c.sliced(nb, ne - nb));
    return line;
}

IniFile::Line IniFile::madeLine(const QByteArray& content, quint8 ending)
{
    m_made.push_back(content);
    Line line = scanLine(m_made.back(), 0, qint32(content.size()), ending);
    line.own = qint32(m_made.size() - 1);
    return line;
}

QByteArrayView IniFile::content(const Line& line) const
{
    const QByteArray& text = line.own >= 0 ? m_made[std::size_t(line.own)] : m_data;
    return QByteArrayView(text).sliced(line.begin, line.size);
}

QByteArrayView IniFile::name(const Line& line) const { return content(line).sliced(line.nameBegin, line.nameSize); }

QByteArrayView IniFile::value(const Line& line) const { return content(line).sliced(line.valueBegin, line.valueSize); }

bool IniFile::sameName(const Line& line, const Name& wanted) const
{
    if (line.asciiName && wanted.ascii) {
        // The length decides most lines of a long file at once.
        if (line.nameSize != wanted.utf8.size())
            return false;
        return qstrnicmp(name(line).data(), wanted.utf8.constData(), std::size_t(line.nameSize)) == 0;
    }
    return QString::fromUtf8(name(line)).compare(wanted.text, Qt::CaseInsensitive) == 0;
}

void IniFile::parse(const QByteArray& bytes)
{
    Q_ASSERT(bytes.size() < qsizetype(INT_MAX));
    m_lines.clear();
    m_made.clear();
    m_bom.clear();
    m_data = bytes;
    qint32 pos = 0;
    // Editors on Windows start UTF-8 files with a byte-order mark; read as
    // part of the first line it would hide the first section.
    if (bytes.startsWith(kUtf8Bom)) {
        m_bom = QByteArray(kUtf8Bom);
        pos = qint32(m_bom.size());
    }
    const qint32 n = qint32(bytes.size());
    const char* const text = bytes.constData();
    m_lines.reserve(std::size_t(bytes.count('\n')) + 1);
    while (pos < n) {
        const auto* nl = static_cast<const char*>(std::memchr(text + pos, '\n', std::size_t(n - pos)));
        if (!nl) {
            m_lines.push_back(scanLine(m_data, pos, n - pos, 0));
            break;
        }
        qint32 contentEnd = qint32(nl - text);
        quint8 ending = 1;
        if (contentEnd > pos && text[contentEnd - 1] == '\r') {
            --contentEnd;
            ending = 2;
        }
        m_lines.push_back(scanLine(m_data, pos, contentEnd - pos, ending));
        pos = qint32(nl - text) + 1;
    }
}

QByteArray IniFile::toBytes() const
{
    qsizetype total = m_bom.size();
    for (const Line& l : m_lines)
        total += l.size + endingBytes(l.ending).size();
    QByteArray out;
    out.reserve(total);
    out.append(m_bom);
    for (const Line& l : m_lines) {
        out.append(content(l));
        out.append(endingBytes(l.ending));
    }
    return out;
}

bool IniFile::load(QString* error)
{
    m_lines.clear();
    m_made.clear();
    m_data.clear();
    m_bom.clear();
    // Opening a named pipe would wait for a writer, with the window frozen.
    const QFileInfo info(m_path);
    if (info.exists() && !info.isFile()) {
        if (error)
            *error = QCoreApplication::translate("IniFile", "it is not a plain file");
        return false;
    }
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    if (file.size() > maxFileSize) {
        if (error)
            *error = QCoreApplication::translate(
                "IniFile", "the file is larger than %1 MB, too large for a settings file")
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
            *error = QCoreApplication::translate("IniFile", "the file is too large for a settings file");
        return false;
    }
    if (isWideText(bytes)) {
        // Read byte by byte it would look empty, and saving would replace it.
        if (error)
            *error = QCoreApplication::translate(
                "IniFile", "the file is saved as UTF-16 (or UTF-32) text; save it as UTF-8 text to use it");
        return false;
    }
    parse(bytes);
    return true;
}

bool IniFile::save(QString* error) const { return writeFileAtomically(m_path, toBytes(), error); }

int IniFile::findSection(const Name& section) const
{
    for (std::size_t i = 0; i < m_lines.size(); ++i)
        if (m_lines[i].kind == Kind::Section && sameName(m_lines[i], section))
            return static_cast<int>(i);
    return -1;
}

int IniFile::sectionEnd(int sectionLine) const
{
    std::size_t i = static_cast<std::size_t>(sectionLine) + 1;
    while (i < m_lines.size() && m_lines[i].kind != Kind::Section)
        ++i;
    return static_cast<int>(i);
}

quint8 IniFile::lineEnding() const
{
    for (const Line& l : m_lines)
        if (l.ending != 0)
            return l.ending;
    return 1;
}

QString IniFile::read(const QString& section, const QString& key, const QString& defaultValue, bool* found) const
{
    if (found)
        *found = false;
    const int s = findSection(Name(section));
    if (s < 0)
        return defaultValue;
    const Name wanted(key);
    for (std::size_t i = std::size_t(s) + 1; i < m_lines.size() && m_lines[i].kind != Kind::Section; ++i) {
        const Line& l = m_lines[i];
        if (l.kind == Kind::Key && sameName(l, wanted)) {
            if (found)
                *found = true;
            return QString::fromUtf8(value(l));
        }
    }
    return defaultValue;
}

void IniFile::write(const QString& section, const QString& key, const QString& value)
{
    QString clean = value;
    clean.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    const Name keyName(key);
    const QByteArray encoded = encodeValue(clean.toUtf8());
    const QByteArray raw = keyName.utf8 + '=' + encoded;
    const quint8 eol = lineEnding();

    const int s = findSection(Name(section));
    if (s < 0) {
        if (!m_lines.empty() && m_lines.back().ending == 0)
            m_lines.back().ending = eol;
        m_lines.push_back(madeLine('[' + section.trimmed().toUtf8() + ']', eol));
        m_lines.push_back(madeLine(raw, eol));
        return;
    }
    const int end = sectionEnd(s);
    for (int i = s + 1; i < end; ++i) {
        Line& l = m_lines[static_cast<std::size_t>(i)];
        if (l.kind == Kind::Key && sameName(l, keyName)) {
            if (QString::fromUtf8(this->value(l)) == clean)
                return; // already says so: leave the line exactly as it is
            // Keep the key's own spelling and the blanks around '='.
            const QByteArrayView c = content(l);
            qint32 cut = find(c, '=', 0, qint32(c.size())) + 1;
            while (cut < c.size() && isBlank(c[cut]))
                ++cut;
            const QByteArray prefix = c.first(cut).toByteArray();
            l = madeLine(prefix + encoded, l.ending);
            return;
        }
    }
    // After the last non-blank line of the section, so blank lines that
    // separate it from the next section stay where they are.
    int insertAt = s + 1;
    for (int i = end - 1; i > s; --i) {
        const QByteArrayView c = content(m_lines[static_cast<std::size_t>(i)]);
        qint32 b = 0;
        qint32 e = qint32(c.size());
        trim(c, b, e);
        if (b < e) {
            insertAt = i + 1;
            break;
        }
    }
    Line& before = m_lines[static_cast<std::size_t>(insertAt - 1)];
    if (before.ending == 0)
        before.ending = eol;
    const Line line = madeLine(raw, eol);
    m_lines.insert(m_lines.begin() + insertAt, line);
}

bool IniFile::hasSection(const QString& section) const { return findSection(Name(section)) >= 0; }

QStringList IniFile::sections() const
{
    QStringList out;
    for (const Line& l : m_lines) {
        if (l.kind != Kind::Section)
            continue;
        const QString n = QString::fromUtf8(name(l));
        if (!out.contains(n, Qt::CaseInsensitive))
            out << n;
    }
    return out;
}

QStringList IniFile::keys(const QString& section) const
{
    QStringList out;
    const int s = findSection(Name(section));
    if (s < 0)
        return out;
    const int end = sectionEnd(s);
    for (int i = s + 1; i < end; ++i) {
        const Line& l = m_lines[static_cast<std::size_t>(i)];
        if (l.kind != Kind::Key)
            continue;
        const QString n = QString::fromUtf8(name(l));
        if (!out.contains(n, Qt::CaseInsensitive))
            out << n;
    }
    return out;
}

} // namespace sondrake
