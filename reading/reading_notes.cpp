// The reading replaces the review's own suggestion where the two differ: it reads the labels and
// values the rules cannot cut. Where the reading agrees with the rules' cell, a suggestion to change
// it is withdrawn; the checks of the cell stay.
#include "reading/reading_notes.h"

#include "reading/reading_words.h"

#include "fields/character_classes.h"
#include "review/review_types.h"
#include "review/review_wording.h"

#include <algorithm>

namespace {

void dropSuggestion(QVector<ReviewNote> *notes, int f)
{
    notes->erase(std::remove_if(notes->begin(), notes->end(),
                                [f](const ReviewNote &note) {
                                    return note.field == f && note.kind == ReviewNote::Kind::Suggestion;
                                }),
                 notes->end());
}

// Notes stay in field order: a field's new note goes after its others.
void addSuggestion(QVector<ReviewNote> *notes, int f, const QString &value)
{
    auto at =
        std::find_if(notes->begin(), notes->end(), [f](const ReviewNote &note) { return note.field > f; });
    notes->insert(at,
                  { f,
                    ReviewNote::Kind::Suggestion,
                    ReviewWording::suggestion(value, Reason(ReasonType::ReadFromPaste)),
                    { value },
                    -1,
                    {} });
}

// Chat is no candidate (候选：稍等、马上发): such values leave the note, and a note left with fewer
// than two goes.
void dropChatCandidates(QVector<ReviewNote> *notes)
{
    for (int n = notes->size() - 1; n >= 0; --n) {
        ReviewNote &note = (*notes)[n];
        if (note.kind != ReviewNote::Kind::Candidates || note.values.size() < 2)
            continue;
        QStringList kept;
        for (const QString &value : qAsConst(note.values)) {
            if (!isChat(value))
                kept.append(value);
        }
        if (kept.size() == note.values.size())
            continue;
        if (kept.size() < 2) {
            notes->removeAt(n);
        } else {
            note.values = kept;
            note.text = ReviewWording::candidates(kept);
        }
    }
}

} // namespace

void takeReading(const RecordRow &cells, RecordRow *suggested, QVector<ReviewNote> *notes,
                 const RecordRow &reading, const QList<bool> &settled)
{
    dropChatCandidates(notes);
    // The reading is the better row where it finds at least as many values as the review's own
    // suggestion; otherwise the review's moves stand and the reading only fills what they leave empty.
    int filledReading = 0;
    int filledReview = 0;
    for (int f = 0; f < reading.size() && f < suggested->size(); ++f) {
        filledReading += !reading.at(f).isEmpty();
        filledReview += !suggested->at(f).isEmpty();
    }
    const bool whole = filledReading >= filledReview;
    for (int f = 0; f < suggested->size() && f < reading.size(); ++f) {
        if (settled.value(f))
            continue;
        const QString &cell = cells.at(f);
        const QString &value = reading.at(f);
        // Most cells agree character for character; only the others are compared half-width.
        if (value == suggested->at(f) || halfWidth(value) == halfWidth(suggested->at(f)))
            continue;
        // Chat the review would put in an empty field (以下是我的信息) is withdrawn either way.
        const QString &proposed = suggested->at(f);
        // So is a character alone that the reading put nowhere (号 of 手机 号).
        const bool stray = value.isEmpty() && proposed.size() == 1 && !reading.contains(proposed)
            && !proposed.at(0).isDigit() && proposed != QStringLiteral("男")
            && proposed != QStringLiteral("女");
        if (!whole && !proposed.isEmpty() && !(value.isEmpty() && isChat(proposed)) && !stray)
            continue;
        dropSuggestion(notes, f);
        (*suggested)[f] = halfWidth(value) == halfWidth(cell) ? cell : value;
        if (halfWidth(value) != halfWidth(cell))
            addSuggestion(notes, f, value);
    }
}
