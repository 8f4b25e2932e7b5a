// Classifying one record into one row of the record table.
#include "app/quorbel.h"

#include "review/review_marks.h"

void Quorbel::fillRow(int row, QString text, QList<FieldDef> fieldDefs)
{
    // The same classification run gives the cells and their review.
    writeReviewedRow(ui.tableWidget, row, reviewText(text, fieldDefs));
}
