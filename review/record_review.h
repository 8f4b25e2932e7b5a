// The review of one classified record: what no field took, what an empty field could have taken,
// which values break the checks of their field, and the likely fix for each.
#pragma once

#include "engine/record_row.h"
#include "fields/field_catalogue.h"
#include "review/review_faults.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>

struct ReviewNote
{
    // Duplicate: an earlier record shares the field's value (quorbel-sort --json; the window marks
    // repeats across its table instead).
    enum class Kind { Candidates, Check, Suggestion, Duplicate };

    int field = -1;
    Kind kind = Kind::Check;
    QString text; // as the window shows it
    QStringList values; // the candidates, or the one suggested value
    int record = -1; // a duplicate's earlier record, counted from 0
    Fault fault; // a check's fault, as the text says it
};

struct RecordReview
{
    RecordRow cells;
    RecordRow suggested; // cells with every suggestion taken
    QStringList leftover; // tokens no field took
    QList<bool> labelled; // cells filled by a label
    QVector<ReviewNote> notes; // in field order
    // Per field: a label filled it with a value of the field's kind that its pattern does not fit,
    // so the pattern may be narrower than the values people write.
    QList<bool> narrowPattern;
};

// What the review needs of one classification run, and what the window keeps of it.
struct ReviewInput
{
    QList<FieldDef> fields;
    RecordRow cells;
    QList<bool> labelled; // filled by a label
    QStringList leftover;
    QList<bool> settled; // set by hand: still checked, but nothing is proposed for it
    QString text; // the record's text when known: labels and values are paired in its order and lines
};

const char *noteKindName(ReviewNote::Kind kind);

RecordReview reviewRecord(const ReviewInput &input, const QDate &today = QDate::currentDate());
// Classifies the text once and reviews the outcome; cells are exactly what analyzeText gives.
RecordReview reviewText(const QString &text, const QList<FieldDef> &fields,
                        const QDate &today = QDate::currentDate());
// Every text in order into *reviews. After each, keepGoing is told how many are done; when it says no,
// stops and returns false with *reviews incomplete, so a caller that writes only on true changes nothing.
bool reviewTexts(const QStringList &texts, const QList<FieldDef> &fields,
                 const std::function<bool(int done)> &keepGoing, QList<RecordReview> *reviews);
