// Which patterns QRegExp may be given at all. Its parser recurses once per group, and its compiler
// copies an atom once per repetition and links every way through optional parts, so a short pattern
// can overflow the stack or take gigabytes; such a pattern fits no token, as an invalid one does.
#pragma once

#include <QString>

namespace PatternLimits {
constexpr int longestPattern = 10000; // characters
constexpr int deepestNesting = 100; // groups inside groups
// Atom copies once repetitions are spelled out: each atom counts the product of the repetition
// counts around it ({n,m} and {n,} count n or m copies, *, + and ? one), summed over the pattern.
constexpr double mostCopies = 100000;
// Links between those copies: runs of optional or starred parts link every copy to every later one.
constexpr double mostLinks = 100000;
// Longer tokens are never tried against a pattern: matching time grows with the square of the length,
// and with the cube for a pattern with a back-reference, which has a shorter limit.
constexpr int longestMatchedToken = 4096;
constexpr int longestMatchedTokenWithBackReference = 1024;
} // namespace PatternLimits

struct PatternCheck
{
    // Empty when QRegExp may be given the pattern; otherwise why not, in words for the user.
    QString reason;
    // An estimate of the compiled pattern's size, in the units of the limits.
    double cost = 0;
    // Tokens longer than this are not tried against the pattern.
    int longestToken = PatternLimits::longestMatchedToken;
};

PatternCheck checkPattern(const QString &pattern);

// "表达式过于复杂，已停用：" and the reason, or empty for a pattern within the limits.
QString disabledPatternNote(const QString &pattern);
