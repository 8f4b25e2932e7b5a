// The lexicon is read once, on the first question, so that a run that never reads a paste (the
// plain output of quorbel-sort) does not pay for it. Its lines are sorted by word, so a word is
// found by halving: no table of a hundred thousand strings to build at start-up or to free at exit.
#include "reading/lexicon.h"

#include <QFile>
#include <QVector>

namespace {

struct Lexicon
{
    QString text; // the resource: "word\tclass\n" per line
    QVector<int> starts; // where each line starts
    QVector<int> tabs; // where its word ends
};

} // namespace

static Lexicon loadLexicon()
{
    // Resources of a static library need an explicit start, outside any namespace.
    Q_INIT_RESOURCE(lexicon);
    Lexicon lexicon;
    QFile file(QStringLiteral(":/reading/lexicon.txt"));
    if (!file.open(QIODevice::ReadOnly))
        return lexicon;
    lexicon.text = QString::fromUtf8(file.readAll());
    lexicon.starts.reserve(lexicon.text.size() / 5);
    for (int at = 0; at < lexicon.text.size();) {
        lexicon.starts.append(at);
        lexicon.tabs.append(lexicon.text.indexOf(QLatin1Char('\t'), at));
        const int end = lexicon.text.indexOf(QLatin1Char('\n'), at);
        at = end < 0 ? lexicon.text.size() : end + 1;
    }
    return lexicon;
}

static const Lexicon &lexicon()
{
    static const Lexicon words = loadLexicon();
    return words;
}

static WordClass lookUp(const QChar *word, int length)
{
    const Lexicon &words = lexicon();
    const QStringView key(word, length);
    int low = 0;
    int high = words.starts.size();
    while (low < high) {
        const int middle = (low + high) / 2;
        const int start = words.starts.at(middle);
        const int tab = words.tabs.at(middle);
        const int order = QStringView(words.text.constData() + start, tab - start).compare(key);
        if (order == 0) {
            const QChar tag = words.text.at(tab + 1);
            return tag == QLatin1Char('P') ? WordClass::Place
                : tag == QLatin1Char('O')  ? WordClass::Organisation
                                           : WordClass::Word;
        }
        if (order < 0)
            low = middle + 1;
        else
            high = middle;
    }
    return WordClass::None;
}

WordClass wordClass(const QString &text)
{
    if (text.size() < 2 || text.size() > 8)
        return WordClass::None;
    return lookUp(text.constData(), text.size());
}

int placePrefix(const QString &text)
{
    for (int length = qMin(8, text.size()); length >= 2; --length) {
        if (lookUp(text.constData(), length) == WordClass::Place)
            return length;
    }
    return 0;
}
