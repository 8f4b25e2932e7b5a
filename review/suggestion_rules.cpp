// The rules, from the surest to the least sure: the value behind a glued label, a full-width value
// made half-width, the rules that read the text's order (text_order_rules.cpp), the one text that
// passes a field's pattern and checks,
// the one text of the field's shape, the one phrase left for a remarks field. Every value proposed
// passes its field's checks; a field takes at most one proposal, and a text goes to one field at most.
#include "review/suggestion_rules.h"

#include "review/cell_checks.h"
#include "review/kind_traits.h"
#include "review/record_context.h"
#include "review/text_order_rules.h"
#include "review/value_checks.h"
#include "review/value_shapes.h"
#include "review/word_lists.h"

#include <algorithm>
#include <functional>

namespace {

// The one source that fits the field (made half-width where needed) among those accepted, or -1.
int onlySource(const RecordContext &state, const Suggestions &made, int g, QString *value,
               const std::function<bool(const Source &)> &accept, bool byShape = false)
{
    int found = -1;
    QString foundValue;
    for (int s = 0; s < int(made.sources.list.size()); ++s) {
        const Source &source = made.sources.list[s];
        if (source.used || source.cut || (source.cell == g && !source.piece) || !accept(source))
            continue;
        const QString fit = passingForm(state, g, source.text, byShape);
        if (fit.isEmpty())
            continue;
        if (found < 0) {
            found = s;
            foundValue = fit;
        } else if (fit != foundValue) {
            return -1; // two texts fit: neither is proposed
        }
    }
    if (found >= 0)
        *value = foundValue;
    return found;
}

Reason takenFrom(const QString &whole)
{
    return { ReasonType::TakenFrom, whole };
}

Reason reasonOf(const Source &source, const Reason &otherwise)
{
    return source.cell >= 0 || source.piece ? takenFrom(source.whole) : otherwise;
}

void proposeGlued(const RecordContext &state, Suggestions &made)
{
    for (int s = 0; s < int(made.sources.list.size()); ++s) {
        const Source &source = made.sources.list[s];
        const int g = source.used ? -1 : source.facts.gluedField;
        if (g < 0 || !made.open(state, g))
            continue;
        const QString fit = passingForm(state, g, source.text.mid(source.facts.gluedValueAt), true);
        if (!fit.isEmpty())
            made.propose(state, g, s, fit, takenFrom(source.whole));
    }
}

void proposeHalfWidth(const RecordContext &state, Suggestions &made)
{
    for (int g = 0; g < state.count; ++g) {
        if (!made.open(state, g))
            continue;
        // The cell's own text first: it only needs to be made half-width.
        const QString &own = state.cell(g);
        const QString half = made.broken[g] && hasFullWidthAlnum(own) ? halfWidth(own) : QString();
        if (!half.isEmpty() && passes(state, g, half)) {
            made.propose(state, g, made.sourceOf(own), half, takenFrom(own));
            continue;
        }
        QString value;
        const int s = state.hasPattern(g)
            ? onlySource(state, made, g, &value, [](const Source &source) { return source.facts.fullWidth; })
            : -1;
        if (s >= 0)
            made.propose(state, g, s, value, takenFrom(made.sources.list[s].whole));
    }
}

// The one text that passes the field's pattern and checks: among name candidates, the one that starts
// with a common surname; a value that breaks a check replaced by the one text that passes it.
void proposeByCheck(const RecordContext &state, Suggestions &made)
{
    for (int g = 0; g < state.count; ++g) {
        QString value;
        const int s = made.open(state, g) && state.hasPattern(g)
            ? onlySource(state, made, g, &value, [](const Source &) { return true; })
            : -1;
        if (s < 0)
            continue;
        // For a name the check that tells it apart is the surname list.
        const Reason reason(traitsOf(state.kinds[g]).suggest == ShapeRule::Surname ? ReasonType::CommonSurname
                                                                                   : ReasonType::OnlyPassing);
        made.propose(state, g, s, value, reasonOf(made.sources.list[s], reason));
    }
}

// The one text whose ending tells the field's kind; for a field without a usable pattern, the one
// text of its kind's shape (an address, a landline, a date, a name with a common surname).
void proposeByShape(const RecordContext &state, Suggestions &made)
{
    for (int g = 0; g < state.count; ++g) {
        const FieldKind kind = state.kinds[g];
        const ShapeRule rule = traitsOf(kind).suggest;
        const bool byLook = !state.hasPattern(g);
        if (!made.open(state, g) || rule == ShapeRule::None || rule == ShapeRule::PhraseLeft
            || (rule == ShapeRule::Surname && !byLook))
            continue;
        QString value;
        // Kinds whose values have a shape of their own: a text of that shape is meant for the field even
        // where the user's pattern is narrower.
        const bool distinct = rule == ShapeRule::Distinct;
        const int s = onlySource(
            state, made, g, &value,
            [&](const Source &source) {
                if (rule == ShapeRule::Surname)
                    return source.facts.surname && state.looksLike(kind, source.text);
                return source.facts.shape == kind
                    || ((byLook || distinct) && state.looksLike(kind, source.text));
            },
            true);
        if (s >= 0)
            made.propose(state, g, s, value,
                         reasonOf(made.sources.list[s],
                                  rule == ShapeRule::Surname
                                      ? Reason(ReasonType::CommonSurname)
                                      : Reason { ReasonType::ShapeOf, QString(), kind }));
    }
}

bool isChinese(QChar c)
{
    return c.unicode() >= 0x4E00 && c.unicode() <= 0x9FFF;
}

// A remarks field takes the one short phrase left over that is no value of any other field.
void proposeRemark(const RecordContext &state, Suggestions &made)
{
    for (int g = 0; g < state.count; ++g) {
        if (traitsOf(state.kinds[g]).suggest != ShapeRule::PhraseLeft || !made.open(state, g)
            || !state.cell(g).isEmpty())
            continue;
        int found = -1;
        int phrases = 0;
        for (int s = 0; s < int(made.sources.list.size()); ++s) {
            const Source &source = made.sources.list[s];
            if (source.used || source.cell >= 0 || source.text.size() < 2 || source.text.size() > 12
                || !std::any_of(source.text.begin(), source.text.end(), isChinese) || !source.facts.remark
                || source.facts.shape != FieldKind::Other || state.plainKind(source.text) != FieldKind::Other)
                continue;
            // A known remark phrase is one; any other text only when no field still open could take it.
            bool otherValue = false;
            for (int h = 0; h < state.count && !otherValue && !isRemarkPhrase(source.text); ++h)
                otherValue = h != g && made.open(state, h)
                    && ((state.hasPattern(h) && passes(state, h, source.text))
                        || state.looksLike(state.kinds[h], source.text));
            if (!otherValue) {
                found = s;
                ++phrases;
            }
        }
        if (phrases == 1 && passes(state, g, made.sources.list[found].text))
            made.propose(state, g, found, made.sources.list[found].text, Reason(ReasonType::OnlyPhraseLeft));
    }
}

} // namespace

Suggestions runSuggestionRules(const RecordContext &state, const QVector<bool> &broken, Sources sources)
{
    Suggestions made(state.count, broken, std::move(sources));
    const QVector<LabelledText> labelled = labelledTexts(state);
    for (int round = 0; round < 2; ++round) {
        if (round > 0 && std::count(made.vacated.begin(), made.vacated.end(), -1) == state.count)
            break;
        proposeGlued(state, made);
        proposeHalfWidth(state, made);
        proposeFromLabels(state, labelled, &made);
        proposeJoined(state, &made);
        proposeByCheck(state, made);
        proposeByShape(state, made);
        proposeRemark(state, made);
    }
    return made;
}
