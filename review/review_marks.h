// The review in the record table: tinted cells with tool tips, a marker on rows with left-over
// tokens, the status bar line, the cell menu's entries and taking the suggestions.
#pragma once

#include "fields/field_catalogue.h"
#include "review/record_review.h"

#include <QList>
#include <QString>

class QMenu;
class QTableWidget;
class QTableWidgetItem;

// Puts a record's cells into the row, one fresh item per field, each carrying its review.
void writeReviewedRow(QTableWidget *table, int row, const RecordReview &review);
// After a hand edit of the item: its own marks go and the row's checks run again on what it shows.
// Does nothing for items whose text is still the one the review saw.
void recheckEditedItem(QTableWidget *table, QTableWidgetItem *item, const QList<FieldDef> &fields);
// The row's review in one line, or the empty string.
QString reviewStatusLine(const QTableWidget *table, int row);
// The cell's suggestion, its candidates and the row's left-over tokens, each putting its text in the cell.
void addReviewActions(QMenu *menu, QTableWidget *table, int row, int column);
// Puts every suggestion of the rows into its cell, as hand edits.
void adoptSuggestions(QTableWidget *table, const QList<int> &rows);
// The rows that hold a selected cell, or the current row when none does.
QList<int> selectedRowsOrCurrent(const QTableWidget *table);
// Rows with a marker keep their number in the vertical header when rows come and go.
void keepRowMarkersNumbered(QTableWidget *table);
// The pointer on the header of a row with nothing left over hides the tip another row's header showed.
void hideStaleRowTips(QTableWidget *table);
