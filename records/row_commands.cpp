// Taking rows out of the record table, bringing the last deletion back, clearing the table, and asking
// before rows that were neither copied nor exported are lost.
#include "app/quorbel.h"

#include <QCloseEvent>
#include <QMenu>
#include <QMessageBox>

#include <algorithm>

namespace {

// Every row that has a selected cell, ascending; the current cell alone selects nothing.
QList<int> rowsWithSelectedCells(const QTableWidget *table)
{
    QList<int> rows;
    for (const QModelIndex &index : table->selectionModel()->selectedIndexes())
        rows.append(index.row());
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

// True when the user lets `count` unsaved rows go (at once when there are none).
bool mayDiscard(QWidget *parent, int count, const QString &question, QMessageBox::StandardButton go,
                const QString &goText)
{
    if (count == 0)
        return true;
    QMessageBox box(QMessageBox::Question, QStringLiteral("提示"), question.arg(count),
                    go | QMessageBox::Cancel, parent);
    box.button(go)->setText(goText);
    box.button(QMessageBox::Cancel)->setText(QStringLiteral("取消"));
    // Enter keeps the rows: losing them takes a deliberate click.
    box.setDefaultButton(QMessageBox::Cancel);
    return box.exec() == go;
}

} // namespace

void Quorbel::wireRowCommands()
{
    ui.tableWidget->setContextMenuPolicy(Qt::CustomContextMenu);
    // The Delete key only where the rows are; Ctrl+Z anywhere but in a text box, which keeps its own undo.
    ui.tableWidget->addAction(ui.deleteRowsAction);
    addAction(ui.undoDeleteAction);
    connect(ui.deleteRowsAction, &QAction::triggered, this, [this] { deleteSelectedRows(); });
    connect(ui.undoDeleteAction, &QAction::triggered, this, [this] { undoRowDeletion(); });
    connect(ui.clearTableAction, &QAction::triggered, this, [this] { clearTable(); });
}

void Quorbel::removeRows(const QList<int> &rows)
{
    if (rows.isEmpty())
        return;
    RemovedRows removed;
    removed.rows = rows;
    removed.fieldNames = catalogue.names();
    const QList<QStringList> shown = tableRows();
    for (int row : rows) {
        removed.texts.append(recordTexts.at(row));
        removed.cells.append(shown.at(row));
    }
    // Runs of neighbouring rows go in one step each, from the bottom, so the indexes above stay valid.
    for (int end = rows.size(); end > 0;) {
        int begin = end - 1;
        while (begin > 0 && rows.at(begin - 1) == rows.at(begin) - 1)
            --begin;
        const int first = rows.at(begin);
        const int count = end - begin;
        ui.tableWidget->model()->removeRows(first, count);
        recordTexts.erase(recordTexts.begin() + first, recordTexts.begin() + first + count);
        end = begin;
    }
    lastRemoval = removed;
    ui.undoDeleteAction->setEnabled(true);
}

void Quorbel::deleteSelectedRows()
{
    const QList<int> rows = rowsWithSelectedCells(ui.tableWidget);
    if (rows.isEmpty())
        return;
    const int column = qMax(ui.tableWidget->currentColumn(), 0);
    removeRows(rows);
    if (!recordTexts.isEmpty())
        ui.tableWidget->setCurrentCell(qMin(rows.first(), recordTexts.size() - 1), column);
}

void Quorbel::undoRowDeletion()
{
    if (takeBackAddedRows())
        return;
    if (lastRemoval.rows.isEmpty())
        return;
    // With the same columns the rows come back as they were shown; after a field change they are
    // sorted again from their texts, as a re-sort would.
    const bool sameColumns = lastRemoval.fieldNames == catalogue.names();
    ui.tableWidget->clearSelection();
    QList<int> restored;
    for (int i = 0; i < lastRemoval.rows.size(); ++i) {
        const int row = qMin(lastRemoval.rows.at(i), recordTexts.size());
        recordTexts.insert(row, lastRemoval.texts.at(i));
        restored.append(row);
        ui.tableWidget->insertRow(row);
        // The review's marks live in the items: a fresh review of the text brings them back, and the cells
        // edited by hand are edited again, which checks them as the first edit did.
        fillRow(row, lastRemoval.texts.at(i), catalogue.fields());
        if (sameColumns) {
            const QStringList &cells = lastRemoval.cells.at(i);
            for (int column = 0; column < cells.size(); ++column) {
                QTableWidgetItem *item = ui.tableWidget->item(row, column);
                if (item->text() != cells.at(column))
                    item->setText(cells.at(column));
            }
        }
    }
    // The rows that came back are the selection, ready to be deleted again.
    QItemSelectionModel *selection = ui.tableWidget->selectionModel();
    for (int row : restored) {
        const QModelIndex first = ui.tableWidget->model()->index(row, 0);
        if (first.isValid())
            selection->select(first, QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
    lastRemoval = RemovedRows();
    ui.undoDeleteAction->setEnabled(false);
}

void Quorbel::clearTable()
{
    if (recordTexts.isEmpty())
        return;
    if (!mayDiscard(this, unsavedRowCount(), QStringLiteral("有 %1 行尚未复制或导出，确定清空表格？"),
                    QMessageBox::Discard, QStringLiteral("清空")))
        return;
    QList<int> rows;
    for (int row = 0; row < recordTexts.size(); ++row)
        rows.append(row);
    removeRows(rows);
}

void Quorbel::markTableHandedOn()
{
    handedOn.remember(catalogue.names(), tableRows());
}

int Quorbel::unsavedRowCount() const
{
    return handedOn.changedSince(catalogue.names(), tableRows());
}

void Quorbel::closeEvent(QCloseEvent *event)
{
    if (mayDiscard(this, unsavedRowCount(), QStringLiteral("有 %1 行尚未复制或导出，确定关闭？"),
                   QMessageBox::Close, QStringLiteral("关闭")))
        event->accept();
    else
        event->ignore();
}
