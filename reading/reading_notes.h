// The record review's suggested row taken from the reading of the whole paste, and a note for every
// cell the reading fills otherwise than the rules did.
#pragma once

#include "engine/record_row.h"
#include "review/review_types.h"

#include <QList>
#include <QVector>

// A review's cells, its suggested row and its notes (record_review.h) with the reading taken in.
// Fields set by hand (settled) keep what the review had.
void takeReading(const RecordRow &cells, RecordRow *suggested, QVector<ReviewNote> *notes,
                 const RecordRow &reading, const QList<bool> &settled);
