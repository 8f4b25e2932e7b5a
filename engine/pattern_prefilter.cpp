// The prefilter's parser. It knows QRegExp's syntax only as far as it must to stay safe: escapes
// take the following letters and digits along, classes run to their closing bracket, repetition
// counts to their closing brace, groups nest, and a "|" outside all groups makes the whole pattern
// a set of alternatives, of which it requires nothing. Only what stands outside every group counts.
#include "engine/pattern_prefilter.h"

#include <algorithm>
#include <limits>

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

// For "^...$" made of one-character atoms (plain characters, ".", classes, \d \s \w and their
// capitals, escaped syntax characters) with quantifiers, and nothing else: no groups, alternatives
// or back-references. Such a pattern covers the whole token, whose length in code units must then
// lie between the sums of the least and the most repetitions.
bool anchoredLengthRange(const QString &pattern, int *minimum, int *maximum)
{
    const int end = pattern.size() - 1; // the final "$"
    if (end < 1 || pattern.at(0) != QLatin1Char('^') || pattern.at(end) != QLatin1Char('$'))
        return false;
    constexpr int unbounded = std::numeric_limits<int>::max();
    qint64 least = 0;
    qint64 most = 0;
    int i = 1;
    while (i < end) {
        const QChar c = pattern.at(i);
        if (c == QLatin1Char('\\')) {
            if (i + 1 >= end)
                return false;
            const QChar escaped = pattern.at(i + 1);
            if (!QStringLiteral("dDsSwW").contains(escaped) && !isSpecial(escaped))
                return false;
            i += 2;
        } else if (c == QLatin1Char('[')) {
            int j = i + 1;
            if (j < end && pattern.at(j) == QLatin1Char('^'))
                ++j;
            if (j < end && pattern.at(j) == QLatin1Char(']'))
                return false;
            while (j < end && pattern.at(j) != QLatin1Char(']')) {
                if (pattern.at(j) == QLatin1Char('\\'))
                    ++j;
                ++j;
            }
            if (j >= end)
                return false;
            i = j + 1;
        } else if (c == QLatin1Char('.') || !isSpecial(c)) {
            ++i;
        } else {
            return false;
        }

        int low = 1;
        int high = 1;
        if (i < end) {
            const QChar quantifier = pattern.at(i);
            if (quantifier == QLatin1Char('?')) {
                low = 0;
                ++i;
            } else if (quantifier == QLatin1Char('*') || quantifier == QLatin1Char('+')) {
                low = quantifier == QLatin1Char('+') ? 1 : 0;
                high = unbounded;
                ++i;
            } else if (quantifier == QLatin1Char('{')) {
                // {n}, {n,}, {n,m} and {,m}, with at most four digits a number.
                int j = i + 1;
                const auto number = [&pattern, &j, end](int *value) {
                    const int first = j;
                    while (j < end && j - first < 5 && pattern.at(j).unicode() >= '0'
                           && pattern.at(j).unicode() <= '9')
                        ++j;
                    *value = first == j ? -1 : pattern.midRef(first, j - first).toInt();
                    return j - first <= 4;
                };
                if (!number(&low))
                    return false;
                if (j < end && pattern.at(j) == QLatin1Char(',')) {
                    ++j;
                    if (!number(&high))
                        return false;
                    if (high < 0)
                        high = unbounded;
                } else {
                    if (low < 0)
                        return false;
                    high = low;
                }
                if (low < 0)
                    low = 0;
                if (j >= end || pattern.at(j) != QLatin1Char('}') || high < low)
                    return false;
                i = j + 1;
            }
            // A second quantifier in a row is not what this reading expects.
            if (i < end && QStringLiteral("?*+{").contains(pattern.at(i)))
                return false;
        }
        least += low;
        most = (high == unbounded || most == unbounded) ? unbounded : most + high;
    }
    *minimum = int(qMin<qint64>(least, unbounded));
    *maximum = int(qMin<qint64>(most, unbounded));
    return true;
}

} // namespace

PatternPrefilter::PatternPrefilter(const QString &pattern)
{
    QStringList required;
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
            const int first = ++i;
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
            // A class of plain members only, such as [01男女]: one of them must occur.
            const QString members = pattern.mid(first, i - first);
            const bool plain = std::none_of(members.cbegin(), members.cend(), [](QChar m) {
                return m == QLatin1Char('^') || m == QLatin1Char('\\') || m == QLatin1Char('-')
                    || m == QLatin1Char('[');
            });
            if (depth == 0 && plain && !isOptional(pattern, i + 1))
                required.append(members);
        } else if (c == QLatin1Char('(')) {
            ++depth;
        } else if (c == QLatin1Char(')')) {
            --depth;
        } else if (c == QLatin1Char('|') && depth == 0) {
            return;
        } else if (depth == 0 && !isSpecial(c) && !isOptional(pattern, i + 1)) {
            required.append(QString(c));
        }
    }
    required.removeDuplicates();
    m_required = required;
    int minimum = 0;
    int maximum = 0;
    if (anchoredLengthRange(pattern, &minimum, &maximum)) {
        m_minimumLength = minimum;
        m_maximumLength = maximum;
    }

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
    if (token.size() < m_minimumLength || token.size() > m_maximumLength)
        return true;
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
    for (const QString &oneOf : m_required) {
        const auto isMember = [&oneOf](QChar c) {
            return std::find(oneOf.cbegin(), oneOf.cend(), c) != oneOf.cend();
        };
        if (std::none_of(token.cbegin(), token.cend(), isMember))
            return true;
    }
    return false;
}

QString PatternPrefilter::requiredCharacters() const
{
    QString characters;
    for (const QString &oneOf : m_required) {
        if (oneOf.size() == 1)
            characters += oneOf;
    }
    return characters;
}
