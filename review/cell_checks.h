// Checks of a cell: alone (its text, its kind's value check, its pattern) and against the row's ID
// number; and what a value must pass to be proposed for a field.
#pragma once

#include "review/review_faults.h"
#include "review/review_types.h"

#include <QString>
#include <QVector>

class RecordContext;

struct CellChecks
{
    QVector<ReviewNote> notes; // of kind Check, in field order, each field's own before the ID number's
    QVector<bool> broken; // a check found a fault in the cell
    QVector<bool> narrowPattern;
};

// Why the value does not belong in field f; none when nothing is found.
// Labelled: a label filled the cell, so its field's pattern was never asked; a value of the field's
// kind that the pattern does not fit is then no fault, and *narrow (when given) is set instead.
Fault cellProblem(const RecordContext &record, int f, const QString &value, bool labelled,
                  bool *narrow = nullptr);

// Every cell's own checks, then gender, age and birth date against the ID number.
CellChecks checkCells(const RecordContext &record);

// The value passes the field's pattern and every check of the field: what a suggestion must do.
// By shape: as a label would put it in the cell, where a value of the field's kind that a narrow
// pattern does not fit still passes.
bool passes(const RecordContext &record, int f, const QString &value, bool byShape = false);
// The value as it passes the field: as written, as a value of the field's kind is written
// (half-width, a mobile number without +86 or the spaces between its groups), or made half-width;
// empty when none of these passes.
QString passingForm(const RecordContext &record, int f, const QString &text, bool byShape = false);
