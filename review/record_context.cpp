// The record's context: its fields' kinds and patterns, its tokens, and the facts of its texts.
#include "review/record_context.h"

#include "engine/pattern_sense.h"
#include "engine/record_classifier.h"
#include "engine/text_segmentation.h"
#include "review/kind_traits.h"
#include "review/value_shapes.h"

namespace {

QStringList cellsOf(const ReviewInput &input)
{
    QStringList cells = input.cells;
    while (cells.size() < input.fields.size())
        cells.append(QString());
    return cells;
}

QVector<bool> settledOf(const ReviewInput &input)
{
    QVector<bool> settled;
    for (int f = 0; f < input.fields.size(); ++f)
        settled.append(input.settled.value(f, false));
    return settled;
}

// The token is the number as decimal digits without a leading zero; read rather than the number
// written out, since nearly every token is no number at all.
bool isWrittenNumber(const QString &token, int number)
{
    if (token.isEmpty() || token.at(0) == QLatin1Char('0'))
        return false;
    int value = 0;
    for (const QChar c : token) {
        if (c.unicode() < '0' || c.unicode() > '9')
            return false;
        value = value * 10 + (c.unicode() - '0');
        if (value > number)
            return false;
    }
    return value == number;
}

// 1, 2, 3 in the text's order, each a token of its own: the items are numbered, and the numbers are
// no values.
QStringList listNumbersOf(const QStringList &tokens)
{
    QStringList numbers;
    for (const QString &token : tokens) {
        if (isWrittenNumber(token, numbers.size() + 1))
            numbers.append(token);
    }
    return numbers.size() >= 2 ? numbers : QStringList();
}

} // namespace

FieldFacts fieldFacts(const QList<FieldDef> &fields)
{
    FieldFacts facts { fields, {}, {} };
    for (const FieldDef &field : fields) {
        facts.kinds.append(fieldKind(field.name));
        // A pattern that cannot mean what its user meant (\u4e00, an unbalanced parenthesis, a lone *)
        // is no pattern: the field is judged by its kind.
        facts.usable.append(patternSense(field.pattern) == PatternSense::Usable);
    }
    return facts;
}

RecordContext::RecordContext(const ReviewInput &input, const FieldFacts &fields,
                             const QStringList *textTokens, const QDate &today)
    : in(input)
    , today(today)
    , count(input.fields.size())
    , kinds(fields.kinds)
    , cells(cellsOf(input))
    , settled(settledOf(input))
    , usable(fields.usable)
    , tokens(textTokens                 ? *textTokens
                 : input.text.isEmpty() ? QStringList()
                                        : segmentText(input.text))
    , listNumbers(listNumbersOf(tokens))
{
    Q_ASSERT(kinds.size() == count && usable.size() == count);
}

bool RecordContext::fits(int f, const QString &text) const
{
    return hasPattern(f) && fieldPatternFits(in.fields, f, text);
}

RecordContext::Known &RecordContext::known(const QString &text) const
{
    auto found = m_known.find(text);
    if (found == m_known.end())
        found = m_known.insert(text, { textFacts(text, in.fields, kinds), false, FieldKind::Other });
    return *found;
}

TextFacts RecordContext::facts(const QString &text) const
{
    return known(text).facts;
}

bool RecordContext::looksLike(FieldKind kind, const QString &text) const
{
    return ::looksLike(kind, text, today);
}

FieldKind RecordContext::plainKind(const QString &text) const
{
    Known &entry = known(text);
    if (!entry.plainKnown) {
        entry.plain = ::plainKind(text, today);
        entry.plainKnown = true;
    }
    return entry.plain;
}
