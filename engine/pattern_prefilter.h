// A cheap test that rules out tokens a regular expression cannot fit, so they never reach QRegExp.
#pragma once

#include <QChar>
#include <QString>
#include <QStringList>

#include <limits>

// Read off the pattern text with a deliberately small parser; whatever it does not understand
// requires nothing. It never rules out a token the pattern fits.
class PatternPrefilter final
{
public:
    explicit PatternPrefilter(const QString &pattern);

    // True when QRegExp(pattern).indexIn(token) is sure to be -1.
    bool rulesOut(const QString &token) const;

    // The character a fitting token must start with, or a null character when none is known.
    QChar leadCharacter() const { return m_lead == Lead::Character ? m_leadCharacter : QChar(); }
    // Characters each of which a fitting token must hold.
    QString requiredCharacters() const;

private:
    // What the first character must be when the pattern starts with "^".
    enum class Lead { Any, Character, Digit, BeyondLatin1 };

    Lead m_lead = Lead::Any;
    QChar m_leadCharacter;
    // Outside every group and not made optional by a quantifier: plain characters, and classes of
    // plain characters. The token must hold one character of each entry.
    QStringList m_required;
    // Bounds on the token's length, for a pattern that must cover the whole token.
    int m_minimumLength = 0;
    int m_maximumLength = std::numeric_limits<int>::max();
};
