// Cutting a record text into tokens at runs of separator characters.
#pragma once

#include <QChar>
#include <QString>
#include <QStringList>

// The ASCII and full-width colon and comma, the ideographic full stop and comma, and white space
// as QRegExp's \s sees it (which is QChar::isSpace, code unit by code unit).
inline bool isTokenSeparator(QChar c)
{
    switch (c.unicode()) {
    case u':':
    case u',':
    case 0xFF1A: // full-width colon
    case 0xFF0C: // full-width comma
    case 0x3002: // ideographic full stop
    case 0x3001: // ideographic comma
        return true;
    default:
        // Nothing above the ideographic space is white space; most Chinese text ends here.
        return c.unicode() <= 0x3000 && c.isSpace();
    }
}

// The maximal runs of non-separator characters, in text order. When rewritten is given it receives
// the text with every separator run replaced by one line feed. One pass, no regular expression.
QStringList segmentText(const QString &text, QString *rewritten = nullptr);
