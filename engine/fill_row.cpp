// Classifying one record into one row of the record table.
#include "app/quorbel.h"

#include "engine/analyze_text.h"

RecordRow Quorbel::analyzeText(QString text, QList<FieldDef> fieldDefs) const
{
    return ::analyzeText(text, fieldDefs);
}

void Quorbel::fillRow(int row, QString text, QList<FieldDef> fieldDefs)
{
    writeRow(row, analyzeText(text, fieldDefs));
}

void Quorbel::writeRow(int row, const RecordRow &cells)
{
    // A fresh item in every column, empty cells included, so nothing of an earlier fill or a hand edit
    // survives.
    for (int column = 0; column < cells.size(); ++column)
        ui.tableWidget->setItem(row, column, new QTableWidgetItem(cells.at(column)));
}
