// Classifying one record into one row of the record table.
#include "app/quorbel.h"

void Quorbel::fillRow(int row, QString text, QList<FieldDef> fieldDefs)
{
    // The row must exist; its record becomes the text, classified and reviewed in one run.
    if (row < 0 || row >= recordTable.size())
        return;
    TableChange change = recordTable.replacement({ row }, { classifiedRow(text, fieldDefs) });
    applyTableChange(&change);
}
