// The record's shared state and the answers it keeps for the record's length.
#include "review/review_state.h"

#include "engine/pattern_check.h"
#include "engine/per_thread.h"
#include "engine/record_classifier.h"
#include "engine/text_segmentation.h"
#include "review/cell_checks.h"
#include "review/kind_traits.h"
#include "review/review_wording.h"
#include "review/value_checks.h"
#include "review/value_shapes.h"

#include <QRegExp>

namespace {

bool patternUsable(const QString &pattern)
{
    return !pattern.isEmpty() && QRegExp(pattern).isValid() && checkPattern(pattern).reason.isEmpty();
}

// What the field list says of each field: its kind and whether its pattern may be used. Records come
// one after another with the same list (shared, so comparing it costs nothing): it is worked out once.
struct FieldListFacts
{
    QList<FieldDef> fields;
    QVector<FieldKind> kinds;
    QVector<bool> usable;
};

const FieldListFacts &fieldListFacts(const QList<FieldDef> &fields)
{
    FieldListFacts &last = perThread<FieldListFacts>();
    if (last.kinds.isEmpty() || last.fields != fields) {
        last = { fields, {}, {} };
        for (const FieldDef &field : fields) {
            last.kinds.append(fieldKind(field.name));
            last.usable.append(patternUsable(field.pattern));
        }
    }
    return last;
}

} // namespace

ReviewState::ReviewState(const ReviewInput &input, const QDate &today)
    : in(input)
    , today(today)
    , count(input.fields.size())
    , cells(input.cells)
    , broken(count, false)
    , narrowPattern(count, false)
    , vacated(count, -1)
    , proposals(count)
{
    const FieldListFacts &known = fieldListFacts(in.fields);
    kinds = known.kinds;
    usable = known.usable;
    for (int f = 0; f < count; ++f)
        settled.append(in.settled.value(f, false));
    if (!in.text.isEmpty())
        tokens = segmentText(in.text);
    // 1, 2, 3 in the text's order, each a token of its own: the items are numbered, and the numbers
    // are no values.
    QStringList numbers;
    for (const QString &token : qAsConst(tokens)) {
        if (token == QString::number(numbers.size() + 1))
            numbers.append(token);
    }
    if (numbers.size() >= 2)
        listNumbers = numbers;
    while (cells.size() < count)
        cells.append(QString());
}

bool ReviewState::fits(int f, const QString &text) const
{
    return hasPattern(f) && fieldPatternFits(in.fields, f, text);
}

const TextFacts &ReviewState::facts(const QString &text)
{
    auto found = m_facts.find(text);
    if (found == m_facts.end())
        found = m_facts.insert(text, textFacts(text, in.fields, kinds));
    return *found;
}

bool ReviewState::passes(int f, const QString &value, bool byShape)
{
    QVector<qint8> &verdicts = m_passes[value];
    if (verdicts.isEmpty())
        verdicts.fill(-1, 2 * count);
    qint8 &verdict = verdicts[2 * f + (byShape ? 1 : 0)];
    if (verdict < 0) {
        // An old 15-digit ID number is noted as such, but it is the holder's number: by shape it passes.
        const Fault problem = cellProblem(*this, f, value, byShape);
        const bool oldId = kinds[f] == FieldKind::IdNumber && problem.type == FaultType::IdOld15;
        verdict =
            byShape ? problem.isNone() || oldId : problem.isNone() && (!hasPattern(f) || fits(f, value));
    }
    return verdict;
}

QString ReviewState::passingForm(int f, const QString &text, bool byShape)
{
    if (passes(f, text, byShape))
        return text;
    for (const QString &form : { canonicalValue(kinds[f], text), halfWidth(text) }) {
        if (form != text && !form.isEmpty() && passes(f, form, byShape))
            return form;
    }
    return QString();
}

bool ReviewState::looksLike(FieldKind kind, const QString &text)
{
    QHash<int, bool> &verdicts = m_looks[text];
    auto found = verdicts.find(int(kind));
    if (found == verdicts.end())
        found = verdicts.insert(int(kind), ::looksLike(kind, text, today));
    return *found;
}

FieldKind ReviewState::plainKind(const QString &text)
{
    auto found = m_plain.find(text);
    if (found == m_plain.end())
        found = m_plain.insert(text, ::plainKind(text, today));
    return *found;
}

void ReviewState::addCheck(int f, const Fault &fault, bool breaks)
{
    ReviewNote note;
    note.field = f;
    note.kind = ReviewNote::Kind::Check;
    note.text = ReviewWording::fault(fault);
    note.fault = fault;
    checks.append(note);
    if (breaks)
        broken[f] = true;
}

bool ReviewState::propose(int f, Source *source, const QString &value, const Reason &reason)
{
    if (proposedValues.contains(value) || value == cell(f))
        return false;
    proposedValues.append(value);
    proposals[f] = { true, value, reason };
    if (!source)
        return true;
    source->used = true;
    // The text moves to another cell: the cell it stood in gives it up, unless it finds its own.
    if (source->cell >= 0 && source->cell != f && vacated[source->cell] < 0)
        vacated[source->cell] = f;
    return true;
}

Source *ReviewState::sourceOf(const QString &text)
{
    for (Source &source : sources) {
        if (source.text == text && !source.used)
            return &source;
    }
    return nullptr;
}
