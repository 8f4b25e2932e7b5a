// The review of a record ties its steps together: the cells' checks, the texts that could move, the
// suggestion rules, and last the notes in field order. Suggestions only ever move text that stands in
// the record (a whole token, the value part of a glued label, a piece of a token cut at a separator
// the rules do not know, a full-width token made half-width), and only where exactly one text fits.
#include "review/record_review.h"

#include "engine/record_classifier.h"
#include "reading/paste_reading.h"
#include "reading/reading_notes.h"
#include "review/cell_checks.h"
#include "review/kind_traits.h"
#include "review/record_context.h"
#include "review/review_sources.h"
#include "review/review_wording.h"
#include "review/suggestion_rules.h"
#include "review/suggestions.h"
#include "review/value_checks.h"
#include "review/value_shapes.h"
#include "review/word_lists.h"

#include <algorithm>

namespace {

// Two left-over tokens at least that the field's pattern fits, for an empty field.
void noteCandidates(const RecordContext &state, const Suggestions &made, int f, QVector<ReviewNote> *notes)
{
    if (made.sources.wholeLeftovers < 2 || !state.cell(f).isEmpty() || state.settled[f]
        || !state.hasPattern(f))
        return;
    QStringList candidates;
    for (const Source &source : made.sources.list) {
        if (source.cell < 0 && !source.piece && state.fits(f, source.text))
            candidates.append(source.text);
    }
    if (candidates.size() >= 2)
        notes->append(
            { f, ReviewNote::Kind::Candidates, ReviewWording::candidates(candidates), candidates, -1, {} });
}

// The one text left that has the open field's shape and fits its pattern but breaks a check: not
// proposed, since a suggestion must pass, but named with its fault so that the value is not lost.
void noteFaultyCandidate(const RecordContext &state, const Suggestions &made, int f,
                         QVector<ReviewNote> *notes)
{
    // Only kinds whose shape is narrow enough that a text of it is surely meant for the field.
    if (made.proposals[f].made || !made.open(state, f) || !state.hasPattern(f)
        || !traitsOf(state.kinds[f]).has(NarrowShape))
        return;
    QString found;
    for (const Source &source : made.sources.list) {
        const QString half = halfWidth(source.text);
        if (source.used || source.cell == f || !state.fits(f, half) || !state.looksLike(state.kinds[f], half)
            || passes(state, f, half))
            continue;
        if (!found.isEmpty() && found != half)
            return;
        found = half;
    }
    if (!found.isEmpty())
        notes->append({ f,
                        ReviewNote::Kind::Candidates,
                        ReviewWording::faultyCandidate(found, cellProblem(state, f, found, false)),
                        { found },
                        -1,
                        {} });
}

// The proposal for a field, or what its cell should do when it gave its text away or holds filler.
Proposal finalProposal(const RecordContext &state, const Suggestions &made, int f)
{
    if (made.proposals[f].made)
        return made.proposals[f];
    if (made.vacated[f] >= 0)
        return { true, QString(), { ReasonType::MoveTo, state.in.fields.at(made.vacated[f]).name } };
    if (state.settled[f] || state.cell(f).isEmpty())
        return {};
    const QString &value = state.cell(f);
    if (isFillerWord(value))
        return { true, QString(), Reason(ReasonType::CommonFiller) };
    const TextFacts facts = state.facts(value);
    if (facts.labelWord != FieldKind::Other || facts.fieldName)
        return { true, QString(), { ReasonType::IsLabel, value } };
    // A faulty cell a pattern filled with what plainly is another kind of value: it does not belong.
    const FieldKind plain = state.plainKind(value);
    if (made.broken[f] && !state.in.labelled.value(f) && plain != FieldKind::Other
        && !kindCovers(state.kinds[f], plain))
        return { true, QString(), { ReasonType::LooksLikeKind, QString(), plain } };
    return {};
}

} // namespace

namespace {
// The review of a record classified by the caller, who may hand on the text's tokens.
RecordReview reviewClassified(const ReviewInput &input, const FieldFacts &fields, const QStringList *tokens,
                              const QDate &today);
} // namespace

const char *noteKindName(ReviewNote::Kind kind)
{
    switch (kind) {
    case ReviewNote::Kind::Candidates:
        return "candidates";
    case ReviewNote::Kind::Check:
        return "check";
    case ReviewNote::Kind::Duplicate:
        return "duplicate";
    case ReviewNote::Kind::Suggestion:
        break;
    }
    return "suggestion";
}

RecordReview reviewRecord(const ReviewInput &input, const QDate &today)
{
    return reviewRecord(input, fieldFacts(input.fields), today);
}

RecordReview reviewRecord(const ReviewInput &input, const FieldFacts &fields, const QDate &today)
{
    return reviewClassified(input, fields, nullptr, today);
}

RecordReview reviewText(const QString &text, const QList<FieldDef> &fields, const QDate &today)
{
    return reviewText(text, fieldFacts(fields), today);
}

RecordReview reviewText(const QString &text, const FieldFacts &fields, const QDate &today)
{
    const RecordClassifier classifier(text, fields.fields);
    const ReviewInput input {
        fields.fields, classifier.result(), classifier.labelledFields(), classifier.leftoverTokens(), {}, text
    };
    return reviewClassified(input, fields, &classifier.textTokens(), today);
}

namespace {

RecordReview reviewClassified(const ReviewInput &input, const FieldFacts &fields, const QStringList *tokens,
                              const QDate &today)
{
    const RecordContext state(input, fields, tokens, today);
    const CellChecks checks = checkCells(state);
    const bool anyBroken = std::count(checks.broken.begin(), checks.broken.end(), true) > 0;
    const Suggestions made = state.count > 0 && (!input.leftover.isEmpty() || anyBroken)
        ? runSuggestionRules(state, checks.broken, collectSources(state, checks.broken))
        : Suggestions(state.count, checks.broken, {});
    RecordReview review;
    review.cells = input.cells;
    review.leftover = input.leftover;
    review.labelled = input.labelled;
    review.suggested = input.cells;
    review.narrowPattern = checks.narrowPattern.toList();
    for (int f = 0; f < state.count; ++f) {
        noteCandidates(state, made, f, &review.notes);
        noteFaultyCandidate(state, made, f, &review.notes);
        for (const ReviewNote &note : checks.notes) {
            if (note.field == f)
                review.notes.append(note);
        }
        const Proposal proposal = finalProposal(state, made, f);
        if (proposal.made) {
            review.suggested[f] = proposal.value;
            review.notes.append({ f,
                                  ReviewNote::Kind::Suggestion,
                                  ReviewWording::suggestion(proposal.value, proposal.reason),
                                  { proposal.value },
                                  -1,
                                  {} });
        }
    }
    // The reading of the whole paste, where the text is known, is the better suggestion.
    if (!input.text.isEmpty())
        takeReading(review.cells, &review.suggested, &review.notes, readPaste(input.text, input.fields),
                    input.settled);
    return review;
}

} // namespace

bool reviewTexts(const QStringList &texts, const QList<FieldDef> &fields,
                 const std::function<bool(int done)> &keepGoing, QList<RecordReview> *reviews)
{
    reviews->clear();
    reviews->reserve(texts.size());
    const QDate today = QDate::currentDate();
    const FieldFacts facts = fieldFacts(fields);
    for (const QString &text : texts) {
        reviews->append(reviewText(text, facts, today));
        if (!keepGoing(reviews->size()))
            return false;
    }
    return true;
}
