// The record's shared state and the answers it keeps for the record's length.
#include "review/review_state.h"

#include "engine/record_classifier.h"
#include "review/cell_checks.h"

ReviewState::ReviewState(const ReviewInput &input, const QDate &today)
    : in(input)
    , today(today)
    , count(input.fields.size())
    , cells(input.cells)
    , broken(count, false)
    , vacated(count, -1)
    , proposals(count)
{
    for (int f = 0; f < count; ++f) {
        kinds.append(fieldKind(in.fields.at(f).name));
        settled.append(in.settled.value(f, false));
    }
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
        found = m_facts.insert(text, textFacts(text, in.fields));
    return *found;
}

bool ReviewState::passes(int f, const QString &value, bool lenient)
{
    QVector<qint8> &verdicts = m_passes[value];
    if (verdicts.isEmpty())
        verdicts.fill(-1, 2 * count);
    qint8 &verdict = verdicts[2 * f + (lenient ? 1 : 0)];
    if (verdict < 0)
        verdict =
            cellProblem(*this, f, value, lenient, false).isEmpty() && (!hasPattern(f) || fits(f, value));
    return verdict;
}

void ReviewState::addCheck(int f, const QString &text, bool breaks)
{
    checks.append({ f, ReviewNote::Kind::Check, text, {} });
    if (breaks)
        broken[f] = true;
}

void ReviewState::propose(int f, Source &source, const QString &value, const QString &reason)
{
    proposals[f] = { true, value, reason };
    source.used = true;
    // The text moves to another cell: the cell it stood in gives it up, unless it finds its own.
    if (source.cell >= 0 && source.cell != f && vacated[source.cell] < 0)
        vacated[source.cell] = f;
}
