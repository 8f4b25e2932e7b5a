// The lists are data files embedded as a resource, each read once.
#include "review/word_lists.h"

#include "fields/text_file.h"

#include <QHash>
#include <QSet>
#include <QVarLengthArray>
#include <QVector>

#include <algorithm>

// Resources of a static library need an explicit start, outside any namespace.
static QStringList loadLines(const QString &path)
{
    Q_INIT_RESOURCE(review);
    return readDataLines(path);
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
        // A view of the text's own characters: asked of every token, a copy each time would show.
        const QString affix =
            QString::fromRawData(text.constData() + (atEnd ? text.size() - length : 0), length);
        if (words.contains(affix))
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

struct Marker
{
    QString word;
    bool street;
};

// The address words by their first character, so that a text is read once, not once per word.
const QHash<ushort, QVector<Marker>> &markersByInitial()
{
    static const QHash<ushort, QVector<Marker>> index = [] {
        QHash<ushort, QVector<Marker>> read;
        for (const QString &line : loadLines(QStringLiteral(":/review/address_markers.txt"))) {
            const QStringList parts = line.simplified().split(QLatin1Char(' '));
            if (parts.size() == 2)
                read[parts.at(1).at(0).unicode()].append(
                    { parts.at(1), parts.at(0) == QLatin1String("street") });
        }
        return read;
    }();
    return index;
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
    AddressMarkers markers;
    QVarLengthArray<const Marker *, 16> seen;
    const QHash<ushort, QVector<Marker>> &index = markersByInitial();
    for (int i = 0; i < text.size(); ++i) {
        const auto candidates = index.constFind(text.at(i).unicode());
        if (candidates == index.constEnd())
            continue;
        for (const Marker &marker : *candidates) {
            if (std::find(seen.cbegin(), seen.cend(), &marker) != seen.cend()
                || !QStringRef(&text, i, text.size() - i).startsWith(marker.word))
                continue;
            seen.append(&marker);
            ++(marker.street ? markers.street : markers.region);
        }
    }
    return markers;
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

bool holdsRemarkWord(const QString &text)
{
    static const QStringList words = loadLines(QStringLiteral(":/review/remark_words.txt"));
    return std::any_of(words.cbegin(), words.cend(),
                       [&text](const QString &word) { return text.contains(word); });
}

bool isRemarkPhrase(const QString &text)
{
    static const QSet<QString> phrases = loadWords(QStringLiteral(":/review/remark_phrases.txt"));
    return phrases.contains(text);
}

namespace {

struct Ending
{
    QString word;
    FieldKind kind;
};

struct Endings
{
    QHash<QString, FieldKind> kinds;
    // By last character, longest first: a text's ending is found without cutting the text.
    QHash<ushort, QVector<Ending>> byLast;
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
                if (lists.kinds.contains(word))
                    continue;
                lists.kinds.insert(word, kind);
                lists.byLast[word.back().unicode()].append({ word, kind });
            }
        }
        for (QVector<Ending> &list : lists.byLast) {
            std::stable_sort(list.begin(), list.end(),
                             [](const Ending &a, const Ending &b) { return a.word.size() > b.word.size(); });
        }
        return lists;
    }();
    return read;
}

} // namespace

FieldKind kindByEnding(const QString &text)
{
    if (text.isEmpty())
        return FieldKind::Other;
    const auto found = endings().byLast.constFind(text.back().unicode());
    if (found == endings().byLast.constEnd())
        return FieldKind::Other;
    for (const Ending &ending : *found) {
        if (text.size() > ending.word.size() && text.endsWith(ending.word))
            return ending.kind;
    }
    return FieldKind::Other;
}

FieldKind kindOfEndingWord(const QString &word)
{
    return endings().kinds.value(word, FieldKind::Other);
}
