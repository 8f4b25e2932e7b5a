// The review of one classified record: what no field took, what an empty field could have taken,
// which values break the checks of their field, and the likely fix for each.
#pragma once

#include "engine/record_row.h"
#include "fields/field_catalogue.h"
#include "review/review_types.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>

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

const char *noteKindName(ReviewNote::Kind kind);

RecordReview reviewRecord(const ReviewInput &input, const QDate &today = QDate::currentDate());
// The same with the facts of the input's field list worked out before (fieldFacts), for a run of
// records over one list.
RecordReview reviewRecord(const ReviewInput &input, const FieldFacts &fields, const QDate &today);
// Classifies the text once and reviews the outcome; cells are exactly what analyzeText gives.
RecordReview reviewText(const QString &text, const QList<FieldDef> &fields,
                        const QDate &today = QDate::currentDate());
RecordReview reviewText(const QString &text, const FieldFacts &fields, const QDate &today);
// Every text in order into *reviews. After each, keepGoing is told how many are done; when it says no,
// stops and returns false with *reviews incomplete, so a caller that writes only on true changes nothing.
bool reviewTexts(const QStringList &texts, const QList<FieldDef> &fields,
                 const std::function<bool(int done)> &keepGoing, QList<RecordReview> *reviews);
