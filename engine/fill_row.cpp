// Classifying one record into one row of the record table.
#include "app/quorbel.h"

#include "engine/analyze_text.h"
#include "review/review_marks.h"

RecordRow Quorbel::analyzeText(QString text, QList<FieldDef> fieldDefs) const
{
    return ::analyzeText(text, fieldDefs);
}

void Quorbel::fillRow(int row, QString text, QList<FieldDef> fieldDefs)
{
    // The same classification run gives the cells and their review.
    writeReviewedRow(ui.tableWidget, row, reviewText(text, fieldDefs));
}
