// The lexicon is read once, on the first question, so that a run that never reads a paste (the
// plain output of quorbel-sort) does not pay for it. Its lines are sorted by word, so a word is
// found by halving the resource's own bytes: no table to build at start-up or to free at exit, and
// no conversion of a megabyte of text that a run asks a few thousand words of.
#include "reading/lexicon.h"

#include <QByteArray>
#include <QFile>

#include <cstring>

namespace {

// Every word of the lexicon is two to eight Chinese characters of U+4E00..U+9FFF (make_lexicon.py),
// three bytes each in UTF-8, whose byte order is the order of the characters.
constexpr int longestWord = 8;
constexpr ushort firstChinese = 0x4e00;
constexpr ushort lastChinese = 0x9fff;

} // namespace

// The resource: "word\tclass\n" per line, UTF-8, sorted by word.
static QByteArray loadLexicon()
{
    // Resources of a static library need an explicit start, outside any namespace.
    Q_INIT_RESOURCE(lexicon);
    QFile file(QStringLiteral(":/reading/lexicon.txt"));
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

static const QByteArray &lexicon()
{
    static const QByteArray words = loadLexicon();
    return words;
}

static WordClass lookUp(const QChar *word, int length)
{
    // A character outside the lexicon's range makes a text no word of it.
    char key[longestWord * 3];
    for (int i = 0; i < length; ++i) {
        const ushort u = word[i].unicode();
        if (u < firstChinese || u > lastChinese)
            return WordClass::None;
        key[3 * i] = char(0xe0 | (u >> 12));
        key[3 * i + 1] = char(0x80 | ((u >> 6) & 0x3f));
        key[3 * i + 2] = char(0x80 | (u & 0x3f));
    }
    const int keyLength = 3 * length;
    const QByteArray &words = lexicon();
    const char *data = words.constData();
    // [low, high) holds whole lines: halve it at the line around its middle byte.
    int low = 0;
    int high = words.size();
    while (low < high) {
        int start = low + (high - low) / 2;
        while (start > low && data[start - 1] != '\n')
            --start;
        const char *tab = static_cast<const char *>(std::memchr(data + start, '\t', high - start));
        if (!tab)
            return WordClass::None;
        const int wordLength = int(tab - data) - start;
        int order = std::memcmp(data + start, key, size_t(qMin(wordLength, keyLength)));
        if (order == 0)
            order = wordLength - keyLength;
        if (order == 0) {
            const char tag = tab + 1 < data + high ? tab[1] : '\0';
            return tag == 'P' ? WordClass::Place : tag == 'O' ? WordClass::Organisation : WordClass::Word;
        }
        if (order < 0) {
            const char *newline = static_cast<const char *>(std::memchr(tab, '\n', data + high - tab));
            low = newline ? int(newline - data) + 1 : high;
        } else {
            high = start;
        }
    }
    return WordClass::None;
}

WordClass wordClass(const QString &text)
{
    if (text.size() < 2 || text.size() > longestWord)
        return WordClass::None;
    return lookUp(text.constData(), text.size());
}

int placePrefix(const QString &text)
{
    for (int length = qMin(longestWord, text.size()); length >= 2; --length) {
        if (lookUp(text.constData(), length) == WordClass::Place)
            return length;
    }
    return 0;
}
