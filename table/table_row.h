// One record of the table as the window keeps it: the text it came from, the cells it shows, which
// of them were set by hand, and the review of what it shows.
#pragma once

#include "fields/field_catalogue.h"
#include "review/record_review.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

struct TableRow
{
    QString text; // as entered, for re-sorting
    QStringList cells; // one per field, hand edits included
    QList<bool> labelled; // filled by a label
    QList<bool> edited; // set by hand
    QStringList leftover; // tokens no field took, as classified
    // Worked out from the above, never kept on disk: the notes per field and the left-over tokens
    // that no hand edit has put into a cell.
    QVector<ReviewNote> notes;
    QStringList shownLeftover;

    bool isEdited(int column) const { return edited.value(column); }
    // The cell's suggested value (invalid when none) and its candidates.
    QVariant suggestion(int column) const;
    QStringList candidates(int column) const;
    // The same record, the same cells and the same marks.
    bool operator==(const TableRow &other) const;
};

// A freshly classified record.
TableRow classifiedRow(const QString &text, const RecordReview &review);
TableRow classifiedRow(const QString &text, const QList<FieldDef> &fields);
// Reviews the row again against the fields, as the window does after a hand edit: edited cells are
// checked but nothing is proposed for them, and a row without edits is reviewed as when it was added.
void reviewAgain(TableRow *row, const QList<FieldDef> &fields);
// The row with one cell set by hand, reviewed again.
TableRow editedRow(TableRow row, int column, const QString &value, const QList<FieldDef> &fields);
// The row with every suggestion taken, as hand edits; the row itself when it has none.
TableRow rowWithSuggestions(const TableRow &row, const QList<FieldDef> &fields);
// New column c takes old column fromOld[c], or stays empty for -1; notes follow their cells.
void remapColumns(TableRow *row, const QVector<int> &fromOld);
