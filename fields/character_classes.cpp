// The character classes. Brackets go by Unicode's categories so that every script's brackets count;
// < and > are mathematical symbols there, yet people write <手机> as a bracketed label.
#include "fields/character_classes.h"

#include <algorithm>

bool hasFullWidthAlnum(const QString &text)
{
    return std::any_of(text.cbegin(), text.cend(), isFullWidthAlnum);
}

QString halfWidth(const QString &text)
{
    // Read through at(), written through []: the text is copied only when a character changes.
    QString result = text;
    for (int i = 0; i < result.size(); ++i) {
        const QChar c = result.at(i);
        const QChar half = halfWidth(c);
        if (half != c)
            result[i] = half;
    }
    return result;
}

QString halfWidthAlnum(const QString &text)
{
    QString result = text;
    for (int i = 0; i < result.size(); ++i) {
        if (isFullWidthAlnum(result.at(i)))
            result[i] = halfWidth(result.at(i));
    }
    return result;
}

bool isOpeningBracket(QChar c)
{
    const QChar half = halfWidth(c);
    return half.category() == QChar::Punctuation_Open || half == QLatin1Char('<') || half == QChar(u'《');
}

bool isClosingBracket(QChar c)
{
    const QChar half = halfWidth(c);
    return half.category() == QChar::Punctuation_Close || half == QLatin1Char('>') || half == QChar(u'》');
}

bool isColon(QChar c)
{
    const QChar half = halfWidth(c);
    return half == QLatin1Char(':') || half == QLatin1Char('=');
}

bool isOpeningQuote(QChar c)
{
    const QChar half = halfWidth(c);
    return half == QLatin1Char('"') || half == QLatin1Char('\'')
        || half.category() == QChar::Punctuation_InitialQuote;
}

bool isClosingQuote(QChar c)
{
    const QChar half = halfWidth(c);
    return half == QLatin1Char('"') || half == QLatin1Char('\'')
        || half.category() == QChar::Punctuation_FinalQuote;
}

bool isUnknownSeparator(QChar c)
{
    switch (halfWidth(c).unicode()) {
    case u';':
    case u'|':
    case u'/':
        return true;
    default:
        return false;
    }
}
