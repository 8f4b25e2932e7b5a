// The lexicon is read once, on the first question, so that a run that never reads a paste (the
// plain output of quorbel-sort) does not pay for it.
#include "reading/lexicon.h"

#include <QFile>
#include <QHash>

static QHash<QString, WordClass> loadLexicon()
{
    // Resources of a static library need an explicit start, outside any namespace.
    Q_INIT_RESOURCE(lexicon);
    QHash<QString, WordClass> words;
    QFile file(QStringLiteral(":/reading/lexicon.txt"));
    if (!file.open(QIODevice::ReadOnly))
        return words;
    const QString text = QString::fromUtf8(file.readAll());
    words.reserve(text.size() / 8);
    int at = 0;
    while (at + 2 < text.size()) {
        int end = text.indexOf(QLatin1Char('\n'), at);
        if (end < 0)
            end = text.size();
        const QChar tag = text.at(at);
        const WordClass cls = tag == QLatin1Char('P') ? WordClass::Place
            : tag == QLatin1Char('O')                 ? WordClass::Organisation
                                                      : WordClass::Word;
        words.insert(text.mid(at + 2, end - at - 2), cls);
        at = end + 1;
    }
    return words;
}

static const QHash<QString, WordClass> &lexicon()
{
    static const QHash<QString, WordClass> words = loadLexicon();
    return words;
}

WordClass wordClass(const QString &text)
{
    if (text.size() < 2 || text.size() > 8)
        return WordClass::None;
    return lexicon().value(text, WordClass::None);
}

int placePrefix(const QString &text)
{
    for (int length = qMin(8, text.size()); length >= 2; --length) {
        // A view of the text's own characters: no copy per length.
        if (lexicon().value(QString::fromRawData(text.constData(), length), WordClass::None) == WordClass::Place)
            return length;
    }
    return 0;
}
