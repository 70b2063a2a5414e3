#include "library/SearchQuery.h"

#include <QCoreApplication>
#include <QRegularExpression>

#include <optional>

namespace sondrake::library {

using parametermap::ControlKind;
using parametermap::ParameterEntry;

namespace {

    QString fromView(std::string_view text) { return QString::fromLatin1(text.data(), qsizetype(text.size())); }

    // Letters and digits only, lower case, with the editor's long words
    // shortened the way people write them.
    QString folded(const QString& text)
    {
        QString out;
        out.reserve(text.size());
        for (QChar c : text) {
            if (c.isLetterOrNumber())
                out += c.toLower();
        }
        out.replace(QStringLiteral("oscillator"), QStringLiteral("osc"));
        out.replace(QStringLiteral("envelope"), QStringLiteral("env"));
        return out;
    }

    struct Token {
        enum Kind { Word, Operator } kind = Word;
        QString text;
        bool quoted = false;
    };

    std::vector<Token> tokens(const QString& text)
    {
        std::vector<Token> out;
        QString word;
        auto flush = [&] {
            if (!word.isEmpty())
                out.push_back({ Token::Word, word, false });
            word.clear();
        };
        for (qsizetype i = 0; i < text.size(); ++i) {
            const QChar c = text[i];
            if (c == QLatin1Char('"')) {
                flush();
                const qsizetype end = text.indexOf(QLatin1Char('"'), i + 1);
                const QString phrase = text.mid(i + 1, end < 0 ? -1 : end - i - 1).trimmed();
                if (!phrase.isEmpty())
                    out.push_back({ Token::Word, phrase, true });
                i = end < 0 ? text.size() : end;
            } else if (c == QLatin1Char('<') || c == QLatin1Char('>') || c == QLatin1Char('=')
                || (c == QLatin1Char('!') && i + 1 < text.size() && text[i + 1] == QLatin1Char('='))) {
                flush();
                QString op(c);
                if (i + 1 < text.size() && text[i + 1] == QLatin1Char('=') && c != QLatin1Char('=')) {
                    op += QLatin1Char('=');
                    ++i;
                }
                out.push_back({ Token::Operator, op, false });
            } else if (c.isSpace() || c == QLatin1Char(',')) {
                flush();
            } else {
                word += c;
            }
        }
        flush();
        return out;
    }

    Comparison comparisonOf(const QString& op)
    {
        if (op == QLatin1String("!="))
            return Comparison::NotEqual;
        if (op == QLatin1String("<"))
            return Comparison::Less;
        if (op == QLatin1String("<="))
            return Comparison::LessOrEqual;
        if (op == QLatin1String(">"))
            return Comparison::Greater;
        if (op == QLatin1String(">="))
            return Comparison::GreaterOrEqual;
        return Comparison::Equal;
    }

    // The list index of an entry, compared without regard to case and blanks.
    std::optional<int> listIndex(const ParameterEntry& entry, const QString& text)
    {
        const QString wanted = text.simplified().toLower();
        for (std::size_t i = 0; i < entry.items.size(); ++i) {
            if (fromView(entry.items[i]).simplified().toLower() == wanted)
                return int(i);
        }
        return std::nullopt;
    }

} // namespace

QString searchName(const ParameterEntry& entry)
{
    QString group = fromView(entry.group).toLower();
    group.replace(QStringLiteral("oscillator "), QStringLiteral("osc"));
    group.replace(QStringLiteral("envelope"), QStringLiteral("env"));
    QString label = fromView(entry.label()).toLower();
    label.remove(QLatin1Char('>'));
    return (group + QLatin1Char(' ') + label).simplified();
}

QString valueText(const ParameterEntry& entry, int value)
{
    if (entry.kind == ControlKind::CheckBox)
        return value == 1 ? QStringLiteral("on") : QStringLiteral("off");
    if (entry.kind == ControlKind::List && value >= 0 && std::size_t(value) < entry.items.size())
        return fromView(entry.items[std::size_t(value)]);
    return QString::number(value);
}

const ParameterEntry* findParameter(const QString& words)
{
    const QString wanted = folded(words);
    if (wanted.isEmpty())
        return nullptr;
    const ParameterEntry* byLabel = nullptr;
    int labels = 0;
    for (const ParameterEntry& entry : parametermap::parameterMap()) {
        if (!entry.isStored())
            continue;
        if (folded(fromView(entry.group) + fromView(entry.label())) == wanted
            || (!entry.key.empty() && folded(fromView(entry.key)) == wanted))
            return &entry;
        if (folded(fromView(entry.label())) == wanted) {
            byLabel = &entry;
            ++labels;
        }
    }
    return labels == 1 ? byLabel : nullptr;
}

SearchQuery parseSearch(const QString& text)
{
    SearchQuery query;
    const std::vector<Token> all = tokens(text);
    std::vector<Token> pending; // words not yet known to be part of a condition
    constexpr std::size_t kLongestName = 6; // words of a parameter name, at most
    constexpr std::size_t kLongestEntry = 3; // words of a list entry, at most
    auto fail = [&](const QString& why) {
        if (query.error.isEmpty())
            query.error = why;
    };

    for (std::size_t i = 0; i < all.size(); ++i) {
        if (all[i].kind == Token::Word) {
            pending.push_back(all[i]);
            continue;
        }
        // The parameter: the longest run of the words before the operator
        // that names one; the words before it stay words of the name.
        const ParameterEntry* entry = nullptr;
        for (std::size_t n = std::min(kLongestName, pending.size()); n > 0 && !entry; --n) {
            QStringList words;
            for (std::size_t k = pending.size() - n; k < pending.size(); ++k)
                words << pending[k].text;
            if ((entry = findParameter(words.join(QLatin1Char(' ')))))
                pending.resize(pending.size() - n);
        }
        if (!entry) {
            QStringList before;
            for (std::size_t k = pending.size() > 3 ? pending.size() - 3 : 0; k < pending.size(); ++k)
                before << pending[k].text;
            fail(before.isEmpty()
                    ? QCoreApplication::translate("SearchQuery", "\"%1\" needs a parameter before it")
                          .arg(all[i].text)
                    : QCoreApplication::translate("SearchQuery", "no parameter is named \"%1\"")
                          .arg(before.join(QLatin1Char(' '))));
            return query;
        }
        ParameterCondition condition { entry, comparisonOf(all[i].text), 0 };
        const QString name = searchName(*entry);
        std::size_t used = 0;
        if (entry->kind == ControlKind::List) {
            for (std::size_t n = kLongestEntry; n > 0 && !used; --n) {
                if (i + n >= all.size())
                    continue;
                QStringList words;
                bool allWords = true;
                for (std::size_t k = i + 1; k <= i + n; ++k) {
                    allWords = allWords && all[k].kind == Token::Word;
                    words << all[k].text;
                }
                if (!allWords)
                    continue;
                if (const auto index = listIndex(*entry, words.join(QLatin1Char(' ')))) {
                    condition.value = *index;
                    used = n;
                }
            }
            if (!used) {
                const bool some = i + 1 < all.size() && all[i + 1].kind == Token::Word;
                fail(some ? QCoreApplication::translate("SearchQuery", "%1 has no entry \"%2\"")
                                .arg(name, all[i + 1].text)
                          : QCoreApplication::translate("SearchQuery", "%1 %2 needs an entry after it")
                                .arg(name, all[i].text));
                return query;
            }
        } else {
            const QString value = i + 1 < all.size() && all[i + 1].kind == Token::Word ? all[i + 1].text : QString();
            bool ok = false;
            if (entry->kind == ControlKind::CheckBox) {
                const QString v = value.toLower();
                ok = v == QLatin1String("on") || v == QLatin1String("off") || v == QLatin1String("1")
                    || v == QLatin1String("0");
                condition.value = v == QLatin1String("on") || v == QLatin1String("1") ? 1 : 0;
            } else {
                condition.value = value.toInt(&ok);
            }
            if (!ok) {
                fail(QCoreApplication::translate("SearchQuery", "%1 %2 needs %3 after it, not \"%4\"")
                         .arg(name, all[i].text,
                             entry->kind == ControlKind::CheckBox
                                 ? QCoreApplication::translate("SearchQuery", "on or off")
                                 : QCoreApplication::translate("SearchQuery", "a number"),
                             value));
                return query;
            }
            used = 1;
        }
        query.conditions.push_back(condition);
        i += used;
    }
    for (const Token& word : pending) {
        const QString lower = word.text.toLower();
        if (!word.quoted
            && (lower == QLatin1String("fav") || lower == QLatin1String("favourite")
                || lower == QLatin1String("favorite")))
            query.favouritesOnly = true;
        else
            query.words << lower;
    }
    return query;
}

QString searchHelp()
{
    return QCoreApplication::translate("SearchQuery",
        "Words find sounds by their names and tags. A condition finds them by a parameter, named as the "
        "editor names it (group and label, or the label alone where it is unique), an operator (= != < <= > "
        ">=) and a value as the editor shows it: osc1 waveform = SAWTOOTH, filter frequency > 100, "
        "lfo 1 keysync = on. \"fav\" keeps the favourites. All terms must hold; quotes keep words together.");
}

} // namespace sondrake::library
