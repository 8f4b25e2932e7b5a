// Checks of a cell: alone (its text, its kind's value check, its pattern) and against the row's ID
// number.
#pragma once

#include <QString>

class ReviewState;

// Why the value does not belong in field f, in the window's words; empty when nothing is found.
// Labelled: a label filled the cell, so its field's pattern was never asked.
QString cellProblem(ReviewState &state, int f, const QString &value, bool labelled);

// Every cell's own checks, then gender, age and birth date against the ID number.
void checkCells(ReviewState &state);
