// The classes of characters that people type around their details, each defined once: full-width
// forms and their half-width equivalents, brackets, colons, separators the rules do not cut at, and
// invisible characters. Field names, label words, the review's checks and duplicate keys all ask here.
#pragma once

#include <QChar>
#include <QString>

// A full-width ASCII form (U+FF01–U+FF5E): ＡＢＣ, １２３, ＠, －.
inline bool isFullWidthForm(QChar c)
{
    return c.unicode() >= 0xFF01 && c.unicode() <= 0xFF5E;
}
// A full-width letter or digit.
inline bool isFullWidthAlnum(QChar c)
{
    const ushort u = c.unicode();
    return (u >= 0xFF10 && u <= 0xFF19) || (u >= 0xFF21 && u <= 0xFF3A) || (u >= 0xFF41 && u <= 0xFF5A);
}
inline bool isFullWidthDigit(QChar c)
{
    return c.unicode() >= 0xFF10 && c.unicode() <= 0xFF19;
}
bool hasFullWidthAlnum(const QString &text);

// A full-width ASCII form made half-width, the ideographic space made a space; any other character as is.
inline QChar halfWidth(QChar c)
{
    const ushort u = c.unicode();
    if (u >= 0xFF01 && u <= 0xFF5E)
        return QChar(ushort(u - 0xFEE0));
    return u == 0x3000 ? QChar(QLatin1Char(' ')) : c;
}
// Every character made half-width; the text is copied only when one changes.
QString halfWidth(const QString &text);
// Only full-width letters and digits made half-width: full-width brackets, punctuation and spaces are
// how Chinese text is written.
QString halfWidthAlnum(const QString &text);

// Opening and closing brackets of either width and any script (【, （, ［, 「, 《, <), and the colons
// and equals signs that close a label (: ： = ＝).
bool isOpeningBracket(QChar c);
bool isClosingBracket(QChar c);
bool isColon(QChar c);
// Quotation marks, which people also write around a label as brackets: " and ' both open and close.
bool isOpeningQuote(QChar c);
bool isClosingQuote(QChar c);

// Separators people use that the rules do not cut at: ；;|｜/.
bool isUnknownSeparator(QChar c);

// White space and format characters (zero-width spaces and joiners, byte-order marks, no-break and
// ideographic spaces): invisible, or easily missed, inside a value.
inline bool isInvisible(QChar c)
{
    // ASCII and the common Chinese characters answer without Unicode's tables.
    const ushort u = c.unicode();
    if (u < 0x80)
        return u == ' ' || (u >= 0x09 && u <= 0x0D);
    if (u >= 0x4E00 && u <= 0x9FFF)
        return false;
    // isSpace takes in every space separator: no-break, ideographic and the typographic spaces.
    return c.isSpace() || c.category() == QChar::Other_Format;
}
