// The record commands: add, insert, add from the clipboard, re-sort and copy.
#include "app/quorbel.h"

#include "records/long_number.h"
#include "records/spreadsheet_text.h"
#include "review/review_marks.h"

#include <QClipboard>
#include <QCursor>
#include <QGuiApplication>
#include <QMenu>
#include <QMessageBox>

void Quorbel::slotInputButtonClicked()
{
    // One text is one record, taken as typed: blanks and line breaks alone still make a row.
    const QString text = ui.inputEdit->toPlainText();
    if (text.isEmpty())
        return;
    recordTexts.append(text);
    ui.tableWidget->setRowCount(recordTexts.size());
    const int row = recordTexts.size() - 1;
    fillRow(row, text, catalogue.fields());
    ui.inputEdit->setPlainText(QString());
    ui.tableWidget->setCurrentCell(row, 0);
}

void Quorbel::slotInsertButtonClicked()
{
    const int row = ui.tableWidget->currentRow();
    if (row < 0)
        return;
    const QString text = ui.inputEdit->toPlainText();
    if (text.isEmpty())
        return;
    recordTexts.insert(row, text);
    ui.tableWidget->insertRow(row);
    fillRow(row, text, catalogue.fields());
    ui.inputEdit->setPlainText(QString());
    ui.tableWidget->setCurrentCell(row, 0);
}

void Quorbel::slotPasteButtonClicked()
{
    ui.inputEdit->setPlainText(QGuiApplication::clipboard()->text(QClipboard::Clipboard));
    slotInputButtonClicked();
}

void Quorbel::slotResortButtonClicked()
{
    if (ui.tableWidget->rowCount() == 0)
        return;
    const QMessageBox::StandardButton answer = QMessageBox::question(
        this, QStringLiteral("提示"),
        QStringLiteral("请确认全部重新分拣？\n之前所做的单元格修改（如果有的话）都将取消"),
        QMessageBox::Yes | QMessageBox::Cancel);
    if (answer != QMessageBox::Yes)
        return;
    const QList<FieldDef> fields = catalogue.fields();
    for (int row = 0; row < recordTexts.size(); ++row)
        fillRow(row, recordTexts.at(row), fields);
}

void Quorbel::slotExcelButtonClicked()
{
    // What the table shows, hand edits included; a cell without an item is empty.
    QList<QStringList> rows;
    rows.reserve(recordTexts.size());
    for (int row = 0; row < recordTexts.size(); ++row) {
        QStringList cells;
        cells.reserve(catalogue.size());
        for (int column = 0; column < catalogue.size(); ++column) {
            const QTableWidgetItem *item = ui.tableWidget->item(row, column);
            cells.append(item ? item->text() : QString());
        }
        rows.append(cells);
    }
    QGuiApplication::clipboard()->setText(spreadsheetText(rows), QClipboard::Clipboard);

    QString message =
        QStringLiteral("%1行%2列 复制完毕，请到Excel对应的位置粘贴").arg(rows.size()).arg(catalogue.size());
    if (hasLongNumberField(catalogue.fields()))
        message += QStringLiteral("\n\n检测到长数字字段，建议先将单元格格式设置为文本");
    QMessageBox::information(this, QStringLiteral("复制为Excel"), message, QMessageBox::Ok);
}

void Quorbel::slotTableItemMenu(QPoint p)
{
    const QModelIndex index = ui.tableWidget->indexAt(p);
    if (!index.isValid())
        return;
    QMenu menu(this);
    addReviewActions(&menu, ui.tableWidget, index.row(), index.column());
    if (!menu.isEmpty())
        menu.exec(QCursor::pos());
}
