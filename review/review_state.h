// One record's review while it is worked out: the input, what each field's cell and check say, the
// texts that could move (sources) and the suggestions made so far. The checks, the sources and the
// suggestion rules each work on it in turn.
#pragma once

#include "fields/known_fields.h"
#include "review/record_review.h"
#include "review/review_faults.h"
#include "review/text_facts.h"

#include <QHash>
#include <QVector>

#include <vector>

// A text that stands in the record and could go to a field.
struct Source
{
    QString text;
    int cell = -1; // the field whose cell holds it, or -1 for a left-over token or a piece of one
    bool piece = false; // cut from a token or a cell at a separator the rules do not know
    QString whole; // the token or cell it stands in
    bool used = false;
    TextFacts facts;
    bool cut = false; // cut into pieces that are values: only the pieces may move
};

struct Proposal
{
    bool made = false;
    QString value;
    Reason reason;
};

class ReviewState final
{
public:
    ReviewState(const ReviewInput &input, const QDate &today);

    const ReviewInput &in;
    const QDate today;
    const int count; // fields
    QVector<FieldKind> kinds;
    QStringList cells; // one for every field
    QVector<bool> settled;
    QVector<bool> broken; // a check found a fault in the cell
    QVector<bool> usable; // the field has a pattern that compiles and is not too complex
    QVector<bool> narrowPattern;
    QStringList tokens; // the text's tokens in order, when the text is known
    QStringList listNumbers; // bare tokens 1, 2, 3… that number the text's lines or items
    QStringList proposedValues; // a text goes to one column at most
    QVector<int> vacated; // the field a cell's text was proposed for, or -1
    QVector<Proposal> proposals;
    std::vector<Source> sources;
    int wholeLeftovers = 0; // sources that are a whole left-over token
    QVector<ReviewNote> checks;

    const QString &cell(int f) const { return cells.at(f); }
    // Nothing proposed yet, and the cell is empty or faulty and not set by hand.
    bool open(int f) const { return !settled[f] && (cell(f).isEmpty() || broken[f]) && !proposals[f].made; }
    // An invalid pattern, or one too complex to be used, judges nothing.
    bool hasPattern(int f) const { return usable[f]; }
    // The field's pattern fits the text, as the rules decide it.
    bool fits(int f, const QString &text) const;
    const TextFacts &facts(const QString &text);
    // The value passes the field's pattern and every check of the field: what a suggestion must do.
    // By shape: as a label would put it in the cell, where a value of the field's kind that a narrow
    // pattern does not fit still passes.
    bool passes(int f, const QString &value, bool byShape = false);

    // The value as it passes the field: as written, as a value of the field's kind is written
    // (half-width, a mobile number without +86 or the spaces between its groups), or made half-width;
    // empty when none of these passes.
    QString passingForm(int f, const QString &text, bool byShape = false);

    // The value shapes, asked of the same texts again and again: kept for the record.
    bool looksLike(FieldKind kind, const QString &text);
    FieldKind plainKind(const QString &text);

    void addCheck(int f, const Fault &fault, bool breaks = true);
    // False, proposing nothing, when the value already went to another field or is the cell's own.
    bool propose(int f, Source *source, const QString &value, const Reason &reason);
    // The source that stands for the text, or nullptr.
    Source *sourceOf(const QString &text);

private:
    // Per record: a record asks the same questions of the same texts many times.
    QHash<QString, TextFacts> m_facts;
    QHash<QString, QHash<int, bool>> m_looks;
    QHash<QString, FieldKind> m_plain;
    QHash<QString, QVector<qint8>> m_passes; // per field, by pattern then by shape: -1 not asked
};
