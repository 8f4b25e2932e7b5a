// The review in the record table: tinted cells with tool tips, a marker on rows with left-over
// tokens, the status bar line, the cell menu's entries and taking the suggestions.
#pragma once

#include "fields/field_catalogue.h"
#include "review/record_review.h"
#include "table/table_row.h"

#include <QList>
#include <QString>

class QMenu;
class QTableWidget;
class QTableWidgetItem;

// Shows the row's cells with their marks, one item per column, and its left-over marker.
void showTableRow(QTableWidget *table, int row, const TableRow &state);
// The same for a record's review, in a table that keeps no rows of its own (the batch preview).
void writeReviewedRow(QTableWidget *table, int row, const RecordReview &review);
// The row's review in one line, or the empty string.
QString reviewStatusLine(const QTableWidget *table, int row);
// The cell's suggestion, its candidates and the row's left-over tokens, each putting its text in the
// cell as a hand edit would.
void addReviewActions(QMenu *menu, QTableWidget *table, int row, int column, const TableRow &state);
// The rows that hold a selected cell, or the current row when none does.
QList<int> selectedRowsOrCurrent(const QTableWidget *table);
// Rows with a marker keep their number in the vertical header when rows come and go.
void keepRowMarkersNumbered(QTableWidget *table);
// The pointer on the header of a row with nothing left over hides the tip another row's header showed.
void hideStaleRowTips(QTableWidget *table);
