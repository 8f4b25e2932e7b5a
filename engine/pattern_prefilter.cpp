// The prefilter's parser. It knows QRegExp's syntax only as far as it must to stay safe: escapes
// take the following letters and digits along, classes run to their closing bracket, repetition
// counts to their closing brace, groups nest, and a "|" outside all groups makes the whole pattern
// a set of alternatives, of which it requires nothing.
#include "engine/pattern_prefilter.h"

namespace {

bool isSpecial(QChar c)
{
    return QStringLiteral("\\^$.[]()*+?{}|").contains(c);
}

// Whether the atom that ends just before position next may occur zero times.
bool isOptional(const QString &pattern, int next)
{
    if (next >= pattern.size())
        return false;
    const QChar quantifier = pattern.at(next);
    if (quantifier == QLatin1Char('*') || quantifier == QLatin1Char('?'))
        return true;
    // {n} and {n,m} keep the atom only when n is at least one; {0...} and {,m} do not.
    if (quantifier == QLatin1Char('{'))
        return !(next + 1 < pattern.size() && pattern.at(next + 1) >= QLatin1Char('1')
                 && pattern.at(next + 1) <= QLatin1Char('9'));
    return false;
}

} // namespace

PatternPrefilter::PatternPrefilter(const QString &pattern)
{
    QString required;
    int depth = 0;
    for (int i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern.at(i);
        if (c == QLatin1Char('\\')) {
            // The escaped character, and letters and digits after it that may belong to it (\x41,
            // \0101): requiring less than possible is always safe.
            ++i;
            while (i + 1 < pattern.size() && pattern.at(i + 1).unicode() < 0x80
                   && pattern.at(i + 1).isLetterOrNumber())
                ++i;
        } else if (c == QLatin1Char('{')) {
            while (i < pattern.size() && pattern.at(i) != QLatin1Char('}'))
                ++i; // a repetition count, no characters of its own
        } else if (c == QLatin1Char('[')) {
            ++i;
            if (i < pattern.size() && pattern.at(i) == QLatin1Char('^'))
                ++i;
            if (i < pattern.size() && pattern.at(i) == QLatin1Char(']'))
                return; // a leading "]" may be a member or the end: not worth knowing
            while (i < pattern.size() && pattern.at(i) != QLatin1Char(']')) {
                if (pattern.at(i) == QLatin1Char('\\'))
                    ++i;
                ++i;
            }
            if (i >= pattern.size())
                return; // an unclosed class: the pattern is invalid and fits nothing anyway
        } else if (c == QLatin1Char('(')) {
            ++depth;
        } else if (c == QLatin1Char(')')) {
            --depth;
        } else if (c == QLatin1Char('|') && depth == 0) {
            return;
        } else if (depth == 0 && !isSpecial(c) && !isOptional(pattern, i + 1)) {
            if (!required.contains(c))
                required += c;
        }
    }
    m_required = required;

    if (!pattern.startsWith(QLatin1Char('^')))
        return;
    const QString beyondLatin1 = QStringLiteral("[^\\x00-\\xff]");
    int next = 0;
    Lead lead = Lead::Any;
    if (pattern.midRef(1, 2) == QLatin1String("\\d")) {
        lead = Lead::Digit;
        next = 3;
    } else if (pattern.midRef(1, beyondLatin1.size()) == beyondLatin1) {
        lead = Lead::BeyondLatin1;
        next = 1 + beyondLatin1.size();
    } else if (pattern.size() >= 2 && !isSpecial(pattern.at(1))) {
        lead = Lead::Character;
        m_leadCharacter = pattern.at(1);
        next = 2;
    }
    if (!isOptional(pattern, next))
        m_lead = lead;
}

bool PatternPrefilter::rulesOut(const QString &token) const
{
    if (m_lead != Lead::Any) {
        if (token.isEmpty())
            return true;
        const QChar first = token.at(0);
        switch (m_lead) {
        case Lead::Character:
            if (first != m_leadCharacter)
                return true;
            break;
        case Lead::Digit:
            if (!first.isDigit()) // QRegExp's \d
                return true;
            break;
        case Lead::BeyondLatin1:
            if (first.unicode() <= 0xff)
                return true;
            break;
        case Lead::Any:
            break;
        }
    }
    for (const QChar c : m_required) {
        if (!token.contains(c))
            return true;
    }
    return false;
}
