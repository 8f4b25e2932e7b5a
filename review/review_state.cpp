// The record's shared state and the answers it keeps for the record's length.
#include "review/review_state.h"

#include "engine/pattern_check.h"
#include "engine/record_classifier.h"
#include "engine/text_segmentation.h"
#include "review/cell_checks.h"

#include <QRegExp>

namespace {

bool patternUsable(const QString &pattern)
{
    if (pattern.isEmpty())
        return false;
    // Asked for every field of every record: the same few patterns, each parsed once per thread.
    thread_local QHash<QString, bool> known;
    auto found = known.find(pattern);
    if (found == known.end())
        found = known.insert(pattern, QRegExp(pattern).isValid() && checkPattern(pattern).reason.isEmpty());
    return *found;
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
    for (int f = 0; f < count; ++f) {
        kinds.append(fieldKind(in.fields.at(f).name));
        settled.append(in.settled.value(f, false));
        const QString &pattern = in.fields.at(f).pattern;
        usable.append(patternUsable(pattern));
    }
    if (!in.text.isEmpty())
        tokens = segmentText(in.text);
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

bool ReviewState::passes(int f, const QString &value, bool byShape)
{
    QVector<qint8> &verdicts = m_passes[value];
    if (verdicts.isEmpty())
        verdicts.fill(-1, 2 * count);
    qint8 &verdict = verdicts[2 * f + (byShape ? 1 : 0)];
    if (verdict < 0) {
        verdict = byShape
            ? cellProblem(*this, f, value, true).isEmpty()
            : cellProblem(*this, f, value, false).isEmpty() && (!hasPattern(f) || fits(f, value));
    }
    return verdict;
}

void ReviewState::addCheck(int f, const QString &text, bool breaks)
{
    checks.append({ f, ReviewNote::Kind::Check, text, {} });
    if (breaks)
        broken[f] = true;
}

bool ReviewState::propose(int f, Source *source, const QString &value, const QString &reason)
{
    if (proposedValues.contains(value))
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
