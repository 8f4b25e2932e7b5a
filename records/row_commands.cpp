// Taking rows out of the record table, clearing it, and asking before rows that were neither copied
// nor exported are lost.
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
    // The Delete key only where the rows are.
    ui.tableWidget->addAction(ui.deleteRowsAction);
    connect(ui.deleteRowsAction, &QAction::triggered, this, [this] { deleteSelectedRows(); });
    connect(ui.clearTableAction, &QAction::triggered, this, [this] { clearTable(); });
}

void Quorbel::removeRows(const QList<int> &rows, const QString &stepText)
{
    if (rows.isEmpty())
        return;
    const int column = qMax(ui.tableWidget->currentColumn(), 0);
    pushTableStep(stepText, recordTable.removal(rows), [this, rows, column] {
        ui.tableWidget->clearSelection();
        if (!recordTable.isEmpty())
            ui.tableWidget->setCurrentCell(qMin(rows.first(), recordTable.size() - 1), column);
    });
}

void Quorbel::deleteSelectedRows()
{
    const QList<int> rows = rowsWithSelectedCells(ui.tableWidget);
    removeRows(rows, QStringLiteral("删除 %1 行").arg(rows.size()));
}

void Quorbel::clearTable()
{
    if (recordTable.isEmpty())
        return;
    if (!mayDiscard(this, unsavedRowCount(), QStringLiteral("有 %1 行尚未复制或导出，确定清空表格？"),
                    QMessageBox::Discard, QStringLiteral("清空")))
        return;
    QList<int> rows;
    for (int row = 0; row < recordTable.size(); ++row)
        rows.append(row);
    removeRows(rows, QStringLiteral("清空表格"));
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
                   QMessageBox::Close, QStringLiteral("关闭"))) {
        // Closed as the user wanted: nothing is restored next time.
        stopKeepingTable();
        event->accept();
    } else
        event->ignore();
}
