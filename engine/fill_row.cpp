// Classifying one record into one row of the record table.
#include "app/quorbel.h"

RecordRow Quorbel::analyzeText(QString text, QList<FieldDef> fieldDefs) const
{
    Q_UNUSED(text)
    Q_UNUSED(fieldDefs)
    return RecordRow();
}

void Quorbel::fillRow(int row, QString text, QList<FieldDef> fieldDefs)
{
    Q_UNUSED(row)
    Q_UNUSED(text)
    Q_UNUSED(fieldDefs)
}
