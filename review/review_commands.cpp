// The window's review commands: a hand edit as a step of its own, the status line, taking suggestions.
#include "app/quorbel.h"

#include "review/review_marks.h"

void Quorbel::slotTableItemChanged(QTableWidgetItem *item)
{
    const int row = item->row();
    const int column = item->column();
    if (showingRows || row < 0 || row >= recordTable.size() || column >= catalogue.size()
        || item->text() == recordTable.at(row).cells.value(column))
        return;
    const TableRow edited = editedRow(recordTable.at(row), column, item->text(), catalogue.fields());
    pushTableStep(QStringLiteral("编辑单元格"), recordTable.replacement({ row }, { edited }));
    if (row == ui.tableWidget->currentRow())
        slotTableCurrentCellChanged(row);
}

void Quorbel::slotTableCurrentCellChanged(int row)
{
    const QString line = reviewStatusLine(ui.tableWidget, row);
    if (line.isEmpty())
        statusBar()->clearMessage();
    else
        statusBar()->showMessage(line);
}

void Quorbel::adoptSuggestions(const QList<int> &rows)
{
    QList<int> changed;
    QVector<TableRow> adopted;
    for (const int row : rows) {
        const TableRow taken = rowWithSuggestions(recordTable.at(row), catalogue.fields());
        if (taken.cells == recordTable.at(row).cells)
            continue;
        changed.append(row);
        adopted.append(taken);
    }
    if (!changed.isEmpty())
        pushTableStep(QStringLiteral("采纳建议"), recordTable.replacement(changed, adopted));
    const int current = ui.tableWidget->currentRow();
    if (current >= 0)
        slotTableCurrentCellChanged(current);
}

void Quorbel::slotAdoptSelectedTriggered()
{
    adoptSuggestions(selectedRowsOrCurrent(ui.tableWidget));
}

void Quorbel::slotAdoptAllTriggered()
{
    QList<int> rows;
    for (int row = 0; row < recordTable.size(); ++row)
        rows.append(row);
    adoptSuggestions(rows);
}
