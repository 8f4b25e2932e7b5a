// The rules, from the surest to the least sure: the value behind a glued label, a full-width value
// made half-width, the one text that passes a field's pattern and checks, the one text whose ending
// tells the field's kind. A field takes at most one proposal, and a source goes to one field at most.
#include "review/suggestion_rules.h"

#include "review/review_state.h"
#include "review/review_wording.h"
#include "review/value_checks.h"

#include <algorithm>
#include <functional>

namespace {

// How a source passes a field: not (0), as it is (1), made half-width (2).
int sourceFit(ReviewState &state, int g, const Source &source)
{
    const bool lenient = source.cell >= 0;
    if (state.passes(g, source.text, lenient))
        return 1;
    return source.facts.fullWidth && state.passes(g, halfWidth(source.text), lenient) ? 2 : 0;
}

QString valueOf(const Source &source, int fit)
{
    return fit == 1 ? source.text : halfWidth(source.text);
}

// The one source that fits the field (made half-width where needed) among those accepted, or -1.
int onlySource(ReviewState &state, int g, QString *value, const std::function<bool(const Source &)> &accept)
{
    int found = -1;
    QString foundValue;
    for (int s = 0; s < int(state.sources.size()); ++s) {
        const Source &source = state.sources[s];
        if (source.used || (source.cell == g && !source.piece) || !accept(source))
            continue;
        const int fit = sourceFit(state, g, source);
        if (fit == 0)
            continue;
        if (found < 0) {
            found = s;
            foundValue = valueOf(source, fit);
        } else if (valueOf(source, fit) != foundValue) {
            return -1; // two texts fit: neither is proposed
        }
    }
    if (found >= 0)
        *value = foundValue;
    return found;
}

QString reasonOf(const Source &source, const QString &otherwise)
{
    return source.cell >= 0 || source.piece ? ReviewWording::takenFrom(source.whole) : otherwise;
}

void proposeGlued(ReviewState &state)
{
    for (Source &source : state.sources) {
        const int g = source.used ? -1 : source.facts.gluedField;
        if (g < 0 || !state.open(g))
            continue;
        const QString value = source.text.mid(source.facts.gluedValueAt);
        const QString half = halfWidth(value);
        if (state.passes(g, value, true))
            state.propose(g, source, value, ReviewWording::takenFrom(source.whole));
        else if (half != value && state.passes(g, half, true))
            state.propose(g, source, half, ReviewWording::takenFrom(source.whole));
    }
}

void proposeHalfWidth(ReviewState &state)
{
    for (int g = 0; g < state.count; ++g) {
        if (!state.open(g))
            continue;
        // The cell's own text first: it only needs to be made half-width.
        const QString &own = state.cell(g);
        const QString half = state.broken[g] && hasFullWidthAlnum(own) ? halfWidth(own) : QString();
        if (!half.isEmpty() && state.passes(g, half, false)) {
            state.proposals[g] = { true, half, ReviewWording::takenFrom(own) };
            continue;
        }
        QString value;
        const int s = state.hasPattern(g)
            ? onlySource(state, g, &value, [](const Source &source) { return source.facts.fullWidth; })
            : -1;
        if (s >= 0)
            state.propose(g, state.sources[s], value, ReviewWording::takenFrom(state.sources[s].whole));
    }
}

// The one text that passes the field's pattern and checks: among name candidates, the one that starts
// with a common surname; a value that breaks a check replaced by the one text that passes it.
void proposeByCheck(ReviewState &state)
{
    for (int g = 0; g < state.count; ++g) {
        QString value;
        const int s = state.open(g) && state.hasPattern(g)
            ? onlySource(state, g, &value, [](const Source &) { return true; })
            : -1;
        if (s < 0)
            continue;
        // For a name the check that tells it apart is the surname list.
        const QString reason =
            state.kinds[g] == FieldKind::Name ? ReviewWording::commonSurname() : ReviewWording::onlyPassing();
        state.propose(g, state.sources[s], value, reasonOf(state.sources[s], reason));
    }
}

void proposeByShape(ReviewState &state)
{
    for (int g = 0; g < state.count; ++g) {
        const FieldKind kind = state.kinds[g];
        if (!state.open(g) || kind == FieldKind::Other || kind == FieldKind::Name)
            continue;
        QString value;
        const int s =
            onlySource(state, g, &value, [kind](const Source &source) { return source.facts.shape == kind; });
        if (s < 0)
            continue;
        const QString ending = kindEnding(value);
        state.propose(g, state.sources[s], value,
                      ending.isEmpty() ? ReviewWording::takenFrom(state.sources[s].whole)
                                       : ReviewWording::endsWith(ending));
    }
}

} // namespace

void runSuggestionRules(ReviewState &state)
{
    for (int round = 0; round < 2; ++round) {
        if (round > 0 && std::count(state.vacated.begin(), state.vacated.end(), -1) == state.count)
            break;
        proposeGlued(state);
        proposeHalfWidth(state);
        proposeByCheck(state);
        proposeByShape(state);
    }
}
