// A cheap test that rules out tokens a regular expression cannot fit, so they never reach QRegExp.
#pragma once

#include <QChar>
#include <QString>

// Read off the pattern text with a deliberately small parser; whatever it does not understand
// requires nothing. It never rules out a token the pattern fits.
class PatternPrefilter final
{
public:
    explicit PatternPrefilter(const QString &pattern);

    // True when QRegExp(pattern).indexIn(token) is sure to be -1.
    bool rulesOut(const QString &token) const;

private:
    // What the first character must be when the pattern starts with "^".
    enum class Lead { Any, Character, Digit, BeyondLatin1 };

    Lead m_lead = Lead::Any;
    QChar m_leadCharacter;
    // Plain characters outside every group and class that no quantifier makes optional.
    QString m_required;
};
