// Whether a field's pattern can mean what its user meant. QRegExp reads \u4e00 as the letter u and
// digits, a pattern with an unbalanced parenthesis fits nothing, and a lone * is no pattern at all:
// the review judges such a field by its kind instead, and the field panel says why.
#pragma once

#include <QString>

enum class PatternSense {
    Usable,
    Empty,
    UnicodeEscape, // \uXXXX, which QRegExp does not know
    Unbalanced, // a parenthesis or bracket without its partner
    LoneRepeat, // *, + or ? with nothing before it
    Invalid, // any other pattern QRegExp refuses, or one beyond the engine's limits
};

PatternSense patternSense(const QString &pattern);
// Why the pattern is not used and how to write it, for the field panel's tool tip; empty for a
// usable or empty pattern.
QString patternAdvice(const QString &pattern);
