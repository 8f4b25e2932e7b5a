// Classifying one record into one row of the record table.
#include "app/quorbel.h"

#include "engine/analyze_text.h"

RecordRow Quorbel::analyzeText(QString text, QList<FieldDef> fieldDefs) const
{
    return ::analyzeText(text, fieldDefs);
}

void Quorbel::fillRow(int row, QString text, QList<FieldDef> fieldDefs)
{
    Q_UNUSED(row)
    Q_UNUSED(text)
    Q_UNUSED(fieldDefs)
}
