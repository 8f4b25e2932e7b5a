// The lists are data files embedded as a resource, each read once.
#include "review/word_lists.h"

#include <QFile>
#include <QSet>
#include <QTextStream>

// Resources of a static library need an explicit start, outside any namespace.
static QSet<QString> loadWords(const QString &path)
{
    Q_INIT_RESOURCE(review);
    QSet<QString> words;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return words;
    QTextStream in(&file);
    in.setCodec("utf-8");
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        if (!line.isEmpty() && !line.startsWith(QLatin1Char('#')))
            words.insert(line);
    }
    return words;
}

namespace {

// One or two characters packed into a number, so that a look-up needs no string.
uint surnameKey(QChar first, QChar second = QChar())
{
    return uint(first.unicode()) << 16 | second.unicode();
}

} // namespace

bool startsWithCommonSurname(const QString &text)
{
    static const QSet<uint> surnames = [] {
        QSet<uint> keys;
        for (const QString &name : loadWords(QStringLiteral(":/review/surnames.txt"))) {
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
