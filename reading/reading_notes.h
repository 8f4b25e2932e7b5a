// The record review's suggested row taken from the reading of the whole paste, and a note for every
// cell the reading fills otherwise than the rules did.
#pragma once

#include "engine/record_row.h"

#include <QList>

struct RecordReview;

// Fields set by hand (settled) keep what the review had.
void takeReading(RecordReview *review, const RecordRow &reading, const QList<bool> &settled);
