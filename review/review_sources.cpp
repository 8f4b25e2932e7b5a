// Only text that stands in the record becomes a source: a suggestion never makes up a value. Field
// names, filler words and bare punctuation are no value of any field and are left out.
#include "review/review_sources.h"

#include "review/review_state.h"

namespace {

void addSource(ReviewState &state, const QString &text, int cell, bool piece, const QString &whole)
{
    const TextFacts facts = state.facts(text);
    if (facts.noValue)
        return;
    state.sources.push_back({ text, cell, piece, whole, false, facts });
    if (cell < 0 && !piece)
        ++state.wholeLeftovers;
}

void addWithPieces(ReviewState &state, const QString &text, int cell)
{
    addSource(state, text, cell, false, text);
    if (state.facts(text).separatorAt < 0)
        return;
    int start = 0;
    for (int i = 0; i <= text.size(); ++i) {
        if (i < text.size() && !isUnknownSeparator(text.at(i)))
            continue;
        if (i > start)
            addSource(state, text.mid(start, i - start), cell, true, text);
        start = i + 1;
    }
}

} // namespace

void collectSources(ReviewState &state)
{
    for (const QString &token : state.in.leftover)
        addWithPieces(state, token, -1);
    for (int f = 0; f < state.count; ++f) {
        if (state.broken[f] && !state.settled[f])
            addWithPieces(state, state.cell(f), f);
    }
}
