// The record's context: its fields' kinds and patterns, its tokens, and the facts of its texts.
#include "review/record_context.h"

#include "engine/pattern_check.h"
#include "engine/record_classifier.h"
#include "engine/text_segmentation.h"
#include "review/kind_traits.h"
#include "review/value_shapes.h"

#include <QRegExp>

namespace {

QVector<FieldKind> kindsOf(const QList<FieldDef> &fields)
{
    QVector<FieldKind> kinds;
    kinds.reserve(fields.size());
    for (const FieldDef &field : fields)
        kinds.append(fieldKind(field.name));
    return kinds;
}

QVector<bool> usablePatterns(const QList<FieldDef> &fields)
{
    QVector<bool> usable;
    usable.reserve(fields.size());
    for (const FieldDef &field : fields) {
        usable.append(!field.pattern.isEmpty() && QRegExp(field.pattern).isValid()
                      && checkPattern(field.pattern).reason.isEmpty());
    }
    return usable;
}

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

// 1, 2, 3 in the text's order, each a token of its own: the items are numbered, and the numbers are
// no values.
QStringList listNumbersOf(const QStringList &tokens)
{
    QStringList numbers;
    for (const QString &token : tokens) {
        if (token == QString::number(numbers.size() + 1))
            numbers.append(token);
    }
    return numbers.size() >= 2 ? numbers : QStringList();
}

} // namespace

RecordContext::RecordContext(const ReviewInput &input, const QDate &today)
    : in(input)
    , today(today)
    , count(input.fields.size())
    , kinds(kindsOf(input.fields))
    , cells(cellsOf(input))
    , settled(settledOf(input))
    , usable(usablePatterns(input.fields))
    , tokens(input.text.isEmpty() ? QStringList() : segmentText(input.text))
    , listNumbers(listNumbersOf(tokens))
{ }

bool RecordContext::fits(int f, const QString &text) const
{
    return hasPattern(f) && fieldPatternFits(in.fields, f, text);
}

TextFacts RecordContext::facts(const QString &text) const
{
    auto found = m_facts.constFind(text);
    if (found == m_facts.constEnd())
        found = m_facts.insert(text, textFacts(text, in.fields, kinds));
    return *found;
}

bool RecordContext::looksLike(FieldKind kind, const QString &text) const
{
    return ::looksLike(kind, text, today);
}

FieldKind RecordContext::plainKind(const QString &text) const
{
    return ::plainKind(text, today);
}
