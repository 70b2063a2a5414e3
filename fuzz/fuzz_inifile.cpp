// The INI reader and writer on arbitrary text, updated with arbitrary values:
// - parsing and serialising an unchanged file gives back its bytes;
// - every line the writes do not own comes out byte for byte, in order;
// - reading gives back what was written, in the same object and after
//   serialising and parsing again; keys nobody wrote read as before.
// Section and key names are the program's kind (letters, digits, '_');
// values are any text.

#include "FuzzCheck.h"
#include "platform/IniFile.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <map>
#include <utility>
#include <vector>

using sondrake::IniFile;

namespace {

struct RawLine {
    QByteArray content; // without the line ending
    QByteArray ending;
};

std::vector<RawLine> splitLines(const QByteArray& bytes)
{
    std::vector<RawLine> out;
    qsizetype pos = 0;
    while (pos < bytes.size()) {
        const qsizetype nl = bytes.indexOf('\n', pos);
        if (nl < 0) {
            out.push_back({ bytes.mid(pos), {} });
            break;
        }
        out.push_back({ bytes.mid(pos, nl + 1 - pos), {} });
        pos = nl + 1;
    }
    return out;
}

QString name(FuzzedDataProvider& in, const std::vector<QString>& known)
{
    if (!known.empty() && in.ConsumeBool())
        return known[in.ConsumeIntegralInRange<std::size_t>(0, known.size() - 1)];
    static const char alphabet[] = "abcAB_1";
    QString n;
    const int length = in.ConsumeIntegralInRange(1, 4);
    for (int i = 0; i < length; ++i)
        n += QLatin1Char(alphabet[in.ConsumeIntegralInRange<int>(0, sizeof alphabet - 2)]);
    return n;
}

bool isNameLike(const QString& s)
{
    if (s.isEmpty())
        return false;
    for (QChar c : s)
        if (!(c.isLetterOrNumber() && c.unicode() < 128) && c != u'_')
            return false;
    return true;
}

// The key a line of the written form "key=value" or "key = value" names, if
// it is one of the written keys.
QString keyOfLine(const QByteArray& line)
{
    const qsizetype eq = line.indexOf('=');
    if (eq <= 0)
        return {};
    return QString::fromUtf8(line.left(eq)).trimmed();
}

struct Written {
    QString section;
    QString key;
    QString value;
};

QString expectedRead(const QString& value)
{
    QString v = value;
    v.replace(u'\r', u' ').replace(u'\n', u' ');
    return v;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider in(data, size);
    const std::string text = in.ConsumeRandomLengthString(4096);
    const QByteArray original(text.data(), qsizetype(text.size()));

    IniFile file;
    file.parse(original);
    FUZZ_CHECK(file.toBytes() == original, "parse and serialise changed the bytes");

    // Names the file itself uses, so writes also hit existing lines.
    std::vector<QString> sections;
    std::vector<QString> keys;
    for (const QString& s : file.sections()) {
        if (isNameLike(s.trimmed()))
            sections.push_back(s.trimmed());
        for (const QString& k : file.keys(s))
            if (isNameLike(k))
                keys.push_back(k);
    }
    // What every known key read before the writes.
    std::vector<std::pair<std::pair<QString, QString>, QString>> before;
    for (const QString& s : sections)
        for (const QString& k : keys)
            before.push_back({ { s, k }, file.read(s, k, QStringLiteral("\x01missing")) });

    std::vector<Written> writes;
    const int count = in.ConsumeIntegralInRange(0, 8);
    for (int i = 0; i < count; ++i) {
        Written w;
        w.section = name(in, sections);
        w.key = name(in, keys);
        const std::string value = in.ConsumeRandomLengthString(64);
        w.value = QString::fromUtf8(value.data(), qsizetype(value.size()));
        file.write(w.section, w.key, w.value);
        writes.push_back(w);
    }

    auto isWritten = [&](const QString& section, const QString& key) {
        for (const Written& w : writes)
            if (w.section.compare(section, Qt::CaseInsensitive) == 0 && w.key.compare(key, Qt::CaseInsensitive) == 0)
                return true;
        return false;
    };
    auto lastValue = [&](const QString& section, const QString& key) {
        QString v;
        for (const Written& w : writes)
            if (w.section.compare(section, Qt::CaseInsensitive) == 0 && w.key.compare(key, Qt::CaseInsensitive) == 0)
                v = w.value;
        return v;
    };

    const QByteArray out = file.toBytes();
    IniFile reread;
    reread.parse(out);
    for (const Written& w : writes) {
        const QString want = expectedRead(lastValue(w.section, w.key));
        bool found = false;
        const QString got = file.read(w.section, w.key, QString(), &found);
        FUZZ_CHECK(found && got == want, "[%s] %s: wrote \"%s\", read \"%s\"", qPrintable(w.section),
            qPrintable(w.key), qPrintable(want), qPrintable(got));
        const QString again = reread.read(w.section, w.key, QString(), &found);
        FUZZ_CHECK(found && again == want, "[%s] %s: wrote \"%s\", read \"%s\" from the saved text",
            qPrintable(w.section), qPrintable(w.key), qPrintable(want), qPrintable(again));
    }
    for (const auto& [where, value] : before) {
        if (isWritten(where.first, where.second))
            continue;
        const QString now = reread.read(where.first, where.second, QStringLiteral("\x01missing"));
        FUZZ_CHECK(now == value, "[%s] %s nobody wrote changed from \"%s\" to \"%s\"", qPrintable(where.first),
            qPrintable(where.second), qPrintable(value), qPrintable(now));
    }

    // Foreign lines byte for byte and in order: walk both texts; an output
    // line that is not the next original line must be one the writes own (a
    // written key or a new section header), and an original line may only
    // be replaced by a line of the same written key.
    // The UTF-8 mark belongs to the file, not to its first line: it stays at
    // the start whatever line comes first there (a file of nothing but the
    // mark gets its first section after it).
    const QByteArray bom("\xEF\xBB\xBF");
    QByteArray originalBody = original;
    QByteArray outBody = out;
    if (original.startsWith(bom)) {
        FUZZ_CHECK(out.startsWith(bom), "the UTF-8 mark at the start was lost");
        originalBody.remove(0, bom.size());
        outBody.remove(0, bom.size());
    }
    const std::vector<RawLine> a = splitLines(originalBody);
    const std::vector<RawLine> b = splitLines(outBody);
    auto ownedOutput = [&](const QByteArray& line) {
        QByteArray t = line;
        while (t.endsWith('\n') || t.endsWith('\r'))
            t.chop(1);
        if (t.startsWith('[') && t.endsWith(']'))
            return true;
        const QString k = keyOfLine(t);
        for (const Written& w : writes)
            if (w.key.compare(k, Qt::CaseInsensitive) == 0)
                return true;
        return false;
    };
    std::size_t j = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const bool lastWithoutEnding = i + 1 == a.size() && !a[i].content.endsWith('\n');
        while (true) {
            FUZZ_CHECK(j < b.size(), "original line %zu is missing: \"%s\"", i + 1, a[i].content.constData());
            const QByteArray& line = b[j].content;
            if (line == a[i].content
                || (lastWithoutEnding && line.startsWith(a[i].content)
                    && (line.mid(a[i].content.size()) == "\n" || line.mid(a[i].content.size()) == "\r\n"))) {
                ++j;
                break;
            }
            const QString origKey = keyOfLine(a[i].content);
            if (!origKey.isEmpty() && ownedOutput(line) && keyOfLine(line) == origKey) {
                ++j; // this line was updated in place
                break;
            }
            FUZZ_CHECK(ownedOutput(line), "output line %zu is neither original nor written: \"%s\"", j + 1,
                line.constData());
            ++j; // an added line
        }
    }
    for (; j < b.size(); ++j)
        FUZZ_CHECK(ownedOutput(b[j].content), "trailing output line is not a written one: \"%s\"",
            b[j].content.constData());
    return 0;
}
