// The lists are data files embedded as a resource, each read once.
#include "review/word_lists.h"

#include <QFile>
#include <QHash>
#include <QSet>
#include <QTextStream>
#include <QVector>

#include <algorithm>

// Resources of a static library need an explicit start, outside any namespace.
static QStringList loadLines(const QString &path)
{
    Q_INIT_RESOURCE(review);
    QStringList lines;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return lines;
    QTextStream in(&file);
    in.setCodec("utf-8");
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        if (!line.isEmpty() && !line.startsWith(QLatin1Char('#')))
            lines.append(line);
    }
    return lines;
}

namespace {

QSet<QString> loadWords(const QString &path)
{
    const QStringList lines = loadLines(path);
    return QSet<QString>(lines.cbegin(), lines.cend());
}

// One or two characters packed into a number, so that a look-up needs no string.
uint surnameKey(QChar first, QChar second = QChar())
{
    return uint(first.unicode()) << 16 | second.unicode();
}

// The longest word of the set that the text starts with (or, with atEnd, ends with), at most
// longest characters, leaving at least keep characters over; 0 when none.
int longestAffix(const QSet<QString> &words, int longest, const QString &text, bool atEnd, int keep = 0)
{
    for (int length = qMin(longest, text.size() - keep); length > 0; --length) {
        if (words.contains(atEnd ? text.right(length) : text.left(length)))
            return length;
    }
    return 0;
}

int longestWord(const QSet<QString> &words)
{
    int longest = 0;
    for (const QString &word : words)
        longest = qMax(longest, word.size());
    return longest;
}

struct Markers
{
    QStringList region;
    QStringList street;
};

const Markers &markers()
{
    static const Markers lists = [] {
        Markers read;
        for (const QString &line : loadLines(QStringLiteral(":/review/address_markers.txt"))) {
            const QStringList parts = line.simplified().split(QLatin1Char(' '));
            if (parts.size() != 2)
                continue;
            (parts.at(0) == QLatin1String("region") ? read.region : read.street).append(parts.at(1));
        }
        return read;
    }();
    return lists;
}

int countContained(const QStringList &words, const QString &text)
{
    return int(std::count_if(words.cbegin(), words.cend(),
                             [&text](const QString &word) { return text.contains(word); }));
}

} // namespace

bool startsWithCommonSurname(const QString &text)
{
    static const QSet<uint> surnames = [] {
        QSet<uint> keys;
        for (const QString &name : loadLines(QStringLiteral(":/review/surnames.txt"))) {
            if (name.size() <= 2)
                keys.insert(surnameKey(name.at(0), name.size() == 2 ? name.at(1) : QChar()));
        }
        return keys;
    }();
    return (text.size() > 2 && surnames.contains(surnameKey(text.at(0), text.at(1))))
        || (text.size() > 1 && surnames.contains(surnameKey(text.at(0))));
}

bool isFillerWord(const QString &text)
{
    static const QSet<QString> fillers = loadWords(QStringLiteral(":/review/filler_words.txt"));
    // Nearly every text asked about is none: their first characters rule it out without hashing it.
    static const QSet<ushort> initials = [] {
        QSet<ushort> set;
        for (const QString &word : fillers)
            set.insert(word.at(0).unicode());
        return set;
    }();
    return !text.isEmpty() && initials.contains(text.at(0).unicode()) && fillers.contains(text);
}

int placeNamePrefix(const QString &text)
{
    static const QSet<QString> places = loadWords(QStringLiteral(":/review/places.txt"));
    static const int longest = longestWord(places);
    return longestAffix(places, longest, text, false);
}

AddressMarkers addressMarkers(const QString &text)
{
    return { countContained(markers().region, text), countContained(markers().street, text) };
}

bool isEthnicity(const QString &text)
{
    static const QSet<QString> groups = loadWords(QStringLiteral(":/review/ethnicities.txt"));
    const QString ending = QStringLiteral("族");
    return groups.contains(text.endsWith(ending) ? text.chopped(ending.size()) : text);
}

bool isPoliticalStatus(const QString &text)
{
    static const QSet<QString> statuses = loadWords(QStringLiteral(":/review/political_statuses.txt"));
    return statuses.contains(text);
}

bool isEducation(const QString &text)
{
    static const QSet<QString> levels = loadWords(QStringLiteral(":/review/educations.txt"));
    return levels.contains(text);
}

bool isRemarkPhrase(const QString &text)
{
    static const QSet<QString> phrases = loadWords(QStringLiteral(":/review/remark_phrases.txt"));
    return phrases.contains(text);
}

namespace {

struct Endings
{
    QHash<QString, FieldKind> kinds;
    QSet<QString> words;
    int longest = 0;
};

const Endings &endings()
{
    static const Endings read = [] {
        Endings lists;
        for (const QString &line : loadLines(QStringLiteral(":/review/value_endings.txt"))) {
            QStringList words = line.simplified().split(QLatin1Char(' '));
            const FieldKind kind = fieldKind(words.takeFirst());
            for (const QString &word : words) {
                // A word given twice (学院 for a school and a department) keeps its first kind.
                if (!lists.kinds.contains(word))
                    lists.kinds.insert(word, kind);
                lists.words.insert(word);
            }
        }
        lists.longest = longestWord(lists.words);
        return lists;
    }();
    return read;
}

} // namespace

FieldKind kindByEnding(const QString &text)
{
    const int length = longestAffix(endings().words, endings().longest, text, true, 1);
    return length > 0 ? endings().kinds.value(text.right(length)) : FieldKind::Other;
}

FieldKind kindOfEndingWord(const QString &word)
{
    return endings().kinds.value(word, FieldKind::Other);
}
