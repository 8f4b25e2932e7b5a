// Checks of a cell: alone (its text, its kind's value check, its pattern) and against the row's ID
// number.
#pragma once

#include "review/review_faults.h"

#include <QString>

class ReviewState;

// Why the value does not belong in field f; none when nothing is found.
// Labelled: a label filled the cell, so its field's pattern was never asked; a value of the field's
// kind that the pattern does not fit is then no fault, and *narrow (when given) is set instead.
Fault cellProblem(ReviewState &state, int f, const QString &value, bool labelled, bool *narrow = nullptr);

// Every cell's own checks, then gender, age and birth date against the ID number.
void checkCells(ReviewState &state);
