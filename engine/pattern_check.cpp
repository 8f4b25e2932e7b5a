// The pattern limits. A small reader follows QRegExp's syntax far enough to know the shape of what
// its compiler will build: groups and their nesting, classes (whose brackets hide everything
// inside), escapes, anchors and quantifiers. It counts what the compiler makes of each part: QRegExp
// writes {n,m} out as m copies of its atom, and joins every place a part can end to every place the
// next part can begin, which for a run of optional parts links each to all that follow.
#include "engine/pattern_check.h"

namespace {

// A part of a pattern in counts only: atom copies and links made, the copies a match can enter by
// and leave from, and whether the part can match nothing (then the parts around it link past it).
struct Part
{
    double copies = 0;
    double links = 0;
    double entries = 0;
    double exits = 0;
    bool optional = true;
};

const Part oneAtom { 1, 0, 1, 1, false };

bool isOver(const Part &part)
{
    return part.copies > PatternLimits::mostCopies || part.links > PatternLimits::mostLinks;
}

Part inSequence(const Part &first, const Part &second)
{
    Part part;
    part.copies = first.copies + second.copies;
    part.links = first.links + second.links + first.exits * second.entries;
    part.entries = first.entries + (first.optional ? second.entries : 0);
    part.exits = second.exits + (second.optional ? first.exits : 0);
    part.optional = first.optional && second.optional;
    return part;
}

Part eitherOf(const Part &first, const Part &second)
{
    Part part;
    part.copies = first.copies + second.copies;
    part.links = first.links + second.links;
    part.entries = first.entries + second.entries;
    part.exits = first.exits + second.exits;
    part.optional = first.optional || second.optional;
    return part;
}

Part looped(Part part)
{
    part.links += part.exits * part.entries;
    return part;
}

// most < 0: no upper bound. The optional copies nest, as in x(x(x)?)?, so each links to one more.
Part repeated(const Part &atom, int least, int most)
{
    Part part;
    for (int i = 0; i < least && !isOver(part); ++i)
        part = inSequence(part, atom);
    if (most < 0) {
        Part star = looped(atom);
        star.optional = true;
        return inSequence(part, star);
    }
    Part tail;
    for (int i = least; i < most && !isOver(tail); ++i) {
        tail = inSequence(atom, tail);
        tail.optional = true;
    }
    return inSequence(part, tail);
}

class PatternReader final
{
public:
    explicit PatternReader(const QString &pattern)
        : m_pattern(pattern)
    { }

    Part whole()
    {
        Part part = alternatives(0);
        // A stray ")" makes the pattern invalid, but what follows it is still read by QRegExp.
        while (!stopped() && m_at < m_pattern.size()) {
            ++m_at;
            part = inSequence(part, alternatives(0));
            m_over = isOver(part);
        }
        return part;
    }

    bool tooDeep() const { return m_tooDeep; }
    bool backReference() const { return m_backReference; }

private:
    bool stopped() const { return m_tooDeep || m_over; }
    bool atEnd() const { return m_at >= m_pattern.size(); }
    QChar current() const { return m_pattern.at(m_at); }

    Part alternatives(int depth)
    {
        Part part = sequence(depth);
        while (!stopped() && !atEnd() && current() == QLatin1Char('|')) {
            ++m_at;
            part = eitherOf(part, sequence(depth));
            m_over = isOver(part);
        }
        return part;
    }

    Part sequence(int depth)
    {
        Part part;
        while (!stopped() && !atEnd() && current() != QLatin1Char('|') && current() != QLatin1Char(')')) {
            Part piece = atom(depth);
            while (!stopped() && quantify(&piece))
                m_over = isOver(piece);
            part = inSequence(part, piece);
            m_over = m_over || isOver(part);
        }
        return part;
    }

    Part atom(int depth)
    {
        const QChar c = current();
        ++m_at;
        if (c == QLatin1Char('(')) {
            if (depth >= PatternLimits::deepestNesting) {
                m_tooDeep = true;
                return Part();
            }
            bool lookahead = false;
            if (m_at + 1 < m_pattern.size() && current() == QLatin1Char('?')) {
                const QChar kind = m_pattern.at(m_at + 1);
                if (kind == QLatin1Char(':') || kind == QLatin1Char('=') || kind == QLatin1Char('!')) {
                    lookahead = kind != QLatin1Char(':');
                    m_at += 2;
                }
            }
            Part inner = alternatives(depth + 1);
            if (!atEnd() && current() == QLatin1Char(')'))
                ++m_at;
            if (!lookahead)
                return inner;
            // A look-ahead is compiled on its own and then only tested, like an anchor.
            Part anchor;
            anchor.copies = inner.copies;
            anchor.links = inner.links;
            return anchor;
        }
        if (c == QLatin1Char('[')) {
            // A "]" right after "[" or "[^" is a member.
            if (!atEnd() && current() == QLatin1Char('^'))
                ++m_at;
            if (!atEnd() && current() == QLatin1Char(']'))
                ++m_at;
            while (!atEnd() && current() != QLatin1Char(']'))
                m_at += current() == QLatin1Char('\\') ? 2 : 1;
            ++m_at;
            return oneAtom;
        }
        if (c == QLatin1Char('\\')) {
            const QChar escaped = atEnd() ? QChar() : current();
            ++m_at;
            m_backReference = m_backReference || (escaped >= QLatin1Char('1') && escaped <= QLatin1Char('9'));
            return escaped == QLatin1Char('b') || escaped == QLatin1Char('B') ? Part() : oneAtom;
        }
        if (c == QLatin1Char('^') || c == QLatin1Char('$'))
            return Part();
        return oneAtom;
    }

    // Applies a quantifier standing at the reading position, if there is one.
    bool quantify(Part *piece)
    {
        if (atEnd())
            return false;
        const QChar c = current();
        if (c == QLatin1Char('?')) {
            piece->optional = true;
        } else if (c == QLatin1Char('*')) {
            *piece = looped(*piece);
            piece->optional = true;
        } else if (c == QLatin1Char('+')) {
            *piece = looped(*piece);
        } else if (c == QLatin1Char('{')) {
            ++m_at;
            const int least = number(0);
            int most = least;
            if (!atEnd() && current() == QLatin1Char(',')) {
                ++m_at;
                most = number(-1);
            }
            if (!atEnd() && current() == QLatin1Char('}'))
                ++m_at;
            *piece = repeated(*piece, least, most);
            return true;
        } else {
            return false;
        }
        ++m_at;
        return true;
    }

    // QRegExp refuses counts over 1024, so reading stops growing there.
    int number(int absent)
    {
        if (atEnd() || !current().isDigit() || current().unicode() > '9')
            return absent;
        int value = 0;
        while (!atEnd() && current().unicode() >= '0' && current().unicode() <= '9') {
            value = qMin(10 * value + (current().unicode() - '0'), 1025);
            ++m_at;
        }
        return value;
    }

    const QString &m_pattern;
    int m_at = 0;
    bool m_tooDeep = false;
    bool m_over = false;
    bool m_backReference = false;
};

} // namespace

PatternCheck checkPattern(const QString &pattern)
{
    PatternCheck check;
    if (pattern.size() > PatternLimits::longestPattern) {
        check.reason = QStringLiteral("长度超过 %1 个字符").arg(PatternLimits::longestPattern);
        return check;
    }
    PatternReader reader(pattern);
    const Part part = reader.whole();
    if (reader.tooDeep())
        check.reason = QStringLiteral("括号嵌套超过 %1 层").arg(PatternLimits::deepestNesting);
    else if (part.copies > PatternLimits::mostCopies)
        check.reason = QStringLiteral("重复次数相乘超过 %1").arg(PatternLimits::mostCopies, 0, 'f', 0);
    else if (part.links > PatternLimits::mostLinks)
        check.reason = QStringLiteral("可省略部分的组合超过 %1").arg(PatternLimits::mostLinks, 0, 'f', 0);
    else
        check.cost = part.copies + part.links;
    if (reader.backReference())
        check.longestToken = PatternLimits::longestMatchedTokenWithBackReference;
    return check;
}

QString disabledPatternNote(const QString &pattern)
{
    const QString reason = checkPattern(pattern).reason;
    return reason.isEmpty() ? QString() : QStringLiteral("表达式过于复杂，已停用：") + reason;
}
