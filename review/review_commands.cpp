// The window's review commands: hand edits checked again, the status line, taking suggestions.
#include "app/quorbel.h"

#include "review/review_marks.h"

void Quorbel::slotTableItemChanged(QTableWidgetItem *item)
{
    recheckEditedItem(ui.tableWidget, item, catalogue.fields());
    if (item->row() == ui.tableWidget->currentRow())
        slotTableCurrentCellChanged(item->row());
}

void Quorbel::slotTableCurrentCellChanged(int row)
{
    const QString line = reviewStatusLine(ui.tableWidget, row);
    if (line.isEmpty())
        statusBar()->clearMessage();
    else
        statusBar()->showMessage(line);
}

void Quorbel::slotAdoptSelectedTriggered()
{
    adoptSuggestions(ui.tableWidget, selectedRowsOrCurrent(ui.tableWidget));
}

void Quorbel::slotAdoptAllTriggered()
{
    QList<int> rows;
    for (int row = 0; row < ui.tableWidget->rowCount(); ++row)
        rows.append(row);
    adoptSuggestions(ui.tableWidget, rows);
}
