// Both files are read once; every list is kept longest word first, so that a cut takes the longest.
#include "reading/reading_words.h"

#include "fields/text_file.h"
#include "review/word_lists.h"

#include <algorithm>

// Resources of a static library need an explicit start, outside any namespace.
static QStringList readingLines(const QString &path)
{
    Q_INIT_RESOURCE(reading);
    return readDataLines(path);
}

namespace {

void longestFirst(QStringList *words)
{
    std::stable_sort(words->begin(), words->end(),
                     [](const QString &a, const QString &b) { return a.size() > b.size(); });
}

ReadingWords loadReadingWords()
{
    ReadingWords words;
    const QStringList lines = readingLines(QStringLiteral(":/reading/chat_words.txt"))
        + readingLines(QStringLiteral(":/reading/label_words.txt"));
    for (const QString &line : lines) {
        QStringList parts = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        const QString group = parts.takeFirst();
        if (group == QLatin1String("marks"))
            words.chatMarks += parts;
        else if (group == QLatin1String("lead"))
            words.leads += parts;
        else if (group == QLatin1String("addressing"))
            words.addressing += parts;
        else if (group == QLatin1String("correction"))
            words.corrections += parts;
        else if (group == QLatin1String("leadnumber"))
            words.numberLeads += parts;
        else if (group == QLatin1String("trail"))
            words.trails += parts;
        else if (group == QLatin1String("particles"))
            words.particles += parts.join(QString());
        else if (group == QLatin1String("whole"))
            words.wholeChat.unite(QSet<QString>(parts.cbegin(), parts.cend()));
        else if (group == QLatin1String("prefix"))
            words.prefixes += parts;
        else if (group == QLatin1String("suffix"))
            words.suffixes += parts;
        else if (group == QLatin1String("other"))
            words.others += parts;
        else if (group == QLatin1String("label"))
            words.foreignLabels.unite(QSet<QString>(parts.cbegin(), parts.cend()));
        else if (group == QLatin1String("same") && !parts.isEmpty()) {
            const QString known = parts.takeFirst();
            for (const QString &word : qAsConst(parts))
                words.sameAs.insert(word, known);
        } else if (group == QLatin1String("kind") && !parts.isEmpty()) {
            const QString key = parts.takeFirst();
            const ExtraKind kind = key == QLatin1String("room") ? ExtraKind::Room
                : key == QLatin1String("count")                 ? ExtraKind::Count
                : key == QLatin1String("yesno")                 ? ExtraKind::YesNo
                                                                : ExtraKind::None;
            for (const QString &word : qAsConst(parts))
                words.extraKinds.insert(word, kind);
        }
    }
    for (const QString &mark : qAsConst(words.chatMarks))
        words.marksByInitial[mark.at(0).unicode()].append(mark);
    longestFirst(&words.leads);
    longestFirst(&words.prefixes);
    longestFirst(&words.suffixes);
    longestFirst(&words.others);
    return words;
}

} // namespace

const ReadingWords &readingWords()
{
    static const ReadingWords words = loadReadingWords();
    return words;
}

bool isChat(const QString &piece)
{
    const ReadingWords &words = readingWords();
    // An @mention names the one the message is for.
    if (piece.isEmpty() || words.wholeChat.contains(piece) || piece.startsWith(QLatin1Char('@')))
        return true;
    // Marks by their first character: a piece is read once, not once per mark.
    for (int i = 0; i < piece.size(); ++i) {
        const auto found = words.marksByInitial.constFind(piece.at(i).unicode());
        if (found == words.marksByInitial.cend())
            continue;
        for (const QString &mark : found.value()) {
            if (QStringRef(&piece, i, qMin(mark.size(), piece.size() - i)) == mark)
                return true;
        }
    }
    return piece.size() > 1 && words.particles.contains(piece.at(piece.size() - 1));
}

QString withoutChatTail(const QString &value)
{
    const ReadingWords &words = readingWords();
    for (int i = 2; i < value.size(); ++i) {
        const auto found = words.marksByInitial.constFind(value.at(i).unicode());
        if (found == words.marksByInitial.cend())
            continue;
        for (const QString &mark : found.value()) {
            if (QStringRef(&value, i, qMin(mark.size(), value.size() - i)) != mark)
                continue;
            const QString rest = value.mid(i + mark.size());
            if (rest.isEmpty() || isChat(rest)
                || std::none_of(rest.cbegin(), rest.cend(), [](QChar c) { return c.isLetterOrNumber(); }))
                return value.left(i);
        }
    }
    return value;
}

bool isCorrection(const QString &piece)
{
    // Each word is sought where its first character stands: the piece is read once.
    const QStringList &words = readingWords().corrections;
    for (int i = 0; i < piece.size(); ++i) {
        for (const QString &word : words) {
            if (word.at(0) == piece.at(i) && QStringView(piece).mid(i).startsWith(word))
                return true;
        }
    }
    return false;
}

QString afterChat(const QString &piece)
{
    // Where the last chat mark ends: marks by their first character, the piece read once.
    const ReadingWords &words = readingWords();
    int cut = -1;
    for (int i = 0; i < piece.size(); ++i) {
        const auto found = words.marksByInitial.constFind(piece.at(i).unicode());
        if (found == words.marksByInitial.cend())
            continue;
        for (const QString &mark : found.value()) {
            if (QStringView(piece).mid(i).startsWith(mark))
                cut = qMax(cut, i + int(mark.size()));
        }
    }
    if (cut < 0)
        return QString();
    const QString rest = piece.mid(cut);
    return rest.size() >= 2 && !isChat(rest) ? rest : QString();
}

QString withoutLeadIn(const QString &piece)
{
    const ReadingWords &words = readingWords();
    if (piece.isEmpty())
        return piece;
    // The first character rules out most words before any comparison.
    const QChar first = piece.at(0);
    for (const QString &lead : words.leads) {
        if (lead.at(0) == first && piece.size() > lead.size() && piece.startsWith(lead)) {
            return piece.mid(lead.size());
        }
    }
    for (const QString &lead : words.numberLeads) {
        if (lead.at(0) == first && piece.size() > lead.size() + 1 && piece.startsWith(lead)
            && std::any_of(piece.cbegin() + lead.size(), piece.cend(), [](QChar c) { return c.isDigit(); }))
            return piece.mid(lead.size());
    }
    // 在…工作: the place of work, without the words around it; only a place or an organisation
    // (在外地上学 is a remark).
    if (piece.size() > 3 && piece.startsWith(QChar(0x5728))) {
        for (const QString &trail : words.trails) {
            if (piece.size() <= trail.size() + 2 || !piece.endsWith(trail))
                continue;
            const QString inner = piece.mid(1, piece.size() - 1 - trail.size());
            if (inner.size() >= 4 && (kindByEnding(inner) != FieldKind::Other || placeNamePrefix(inner) > 0))
                return inner;
        }
    }
    return piece;
}
