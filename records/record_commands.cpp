// The record commands: add, insert, add from the clipboard, re-sort and copy.
#include "app/quorbel.h"

#include "records/long_number.h"
#include "review/duplicate_rows.h"
#include "review/review_marks.h"

#include <QClipboard>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QMenu>
#include <QMessageBox>
#include <QProgressBar>
#include <QProgressDialog>

namespace {

// A modal progress dialog that shows itself only when the work runs longer than about 300 ms, with
// the records done and their total in its bar.
void setUpProgress(QProgressDialog *progress, const QString &title, const QString &label, int total)
{
    progress->setWindowTitle(title);
    progress->setLabelText(label);
    progress->setCancelButtonText(QStringLiteral("取消"));
    progress->setWindowModality(Qt::WindowModal);
    // Escape rejects the dialog, which would only hide it and unblock the window mid-way.
    QObject::connect(progress, &QDialog::rejected, progress, &QProgressDialog::cancel);
    auto *bar = new QProgressBar(progress);
    bar->setFormat(QStringLiteral("%v/%m"));
    progress->setBar(bar);
    progress->setRange(0, total);
    progress->setMinimumDuration(300);
    progress->setValue(0);
}

} // namespace

bool Quorbel::reviewWithProgress(QWidget *parent, const QString &title, const QString &label,
                                 const QStringList &texts, const QList<FieldDef> &fields,
                                 QList<RecordReview> *reviews)
{
    QProgressDialog progress(parent);
    setUpProgress(&progress, title, label, texts.size());
    QElapsedTimer sinceUpdate;
    sinceUpdate.start();
    const auto keepGoing = [&progress, &sinceUpdate](int done) {
        // A few updates a second: each turns the event loop once the dialog shows, so the window
        // repaints, and each repaints the dialog, which would cost more than the records themselves.
        if (done < progress.maximum() && sinceUpdate.elapsed() < 40)
            return true;
        sinceUpdate.restart();
        progress.setValue(done);
        return !progress.wasCanceled();
    };
    return reviewTexts(texts, fields, keepGoing, reviews);
}

void Quorbel::slotInputButtonClicked()
{
    // One text is one record, taken as typed: blanks and line breaks alone still make a row.
    const QString text = ui.inputEdit->toPlainText();
    if (text.isEmpty())
        return;
    const int row = recordTable.size();
    const TableChange change = TableChange::insertion(row, { classifiedRow(text, catalogue.fields()) });
    pushTableStep(addingFromClipboard ? QStringLiteral("识别剪贴板") : QStringLiteral("添加"), change,
                  [this, row] {
                      ui.inputEdit->setPlainText(QString());
                      ui.tableWidget->setCurrentCell(row, 0);
                  });
}

void Quorbel::slotInsertButtonClicked()
{
    const int row = ui.tableWidget->currentRow();
    if (row < 0)
        return;
    const QString text = ui.inputEdit->toPlainText();
    if (text.isEmpty())
        return;
    const TableChange change = TableChange::insertion(row, { classifiedRow(text, catalogue.fields()) });
    pushTableStep(QStringLiteral("插入"), change, [this, row] {
        ui.inputEdit->setPlainText(QString());
        ui.tableWidget->setCurrentCell(row, 0);
    });
}

void Quorbel::slotPasteButtonClicked()
{
    ui.inputEdit->setPlainText(QGuiApplication::clipboard()->text(QClipboard::Clipboard));
    addingFromClipboard = true;
    slotInputButtonClicked();
    addingFromClipboard = false;
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
    // All rows are classified before any is written, so a cancelled re-sort leaves the table as it was.
    const QStringList texts = recordTable.texts();
    QList<RecordReview> reviews;
    if (!reviewWithProgress(this, QStringLiteral("重新分拣"), QStringLiteral("正在重新分拣…"), texts,
                            catalogue.fields(), &reviews))
        return;
    QList<int> rows;
    QVector<TableRow> sorted;
    for (int row = 0; row < reviews.size(); ++row) {
        rows.append(row);
        sorted.append(classifiedRow(texts.at(row), reviews.at(row)));
    }
    pushTableStep(QStringLiteral("重新分拣"), recordTable.replacement(rows, sorted));
}

void Quorbel::slotExcelButtonClicked()
{
    const QList<QStringList> rows = tableRows();
    putOnClipboard(rows);
    markTableHandedOn();

    QString message =
        QStringLiteral("%1行%2列 复制完毕，请到Excel对应的位置粘贴").arg(rows.size()).arg(catalogue.size());
    if (hasLongNumberField(catalogue.fields()))
        message += QStringLiteral("\n\n检测到长数字字段，建议先将单元格格式设置为文本");
    const int duplicated = duplicatedRowCount(findDuplicates(catalogue.names(), rows));
    if (duplicated > 0)
        message += QStringLiteral("\n\n其中 %1 行与其他行重复").arg(duplicated);
    QMessageBox::information(this, QStringLiteral("复制为Excel"), message, QMessageBox::Ok);
}

void Quorbel::slotTableItemMenu(QPoint p)
{
    // The cell's review entries, then the row commands.
    const QModelIndex index = ui.tableWidget->indexAt(p);
    QMenu menu(this);
    if (index.isValid())
        addReviewActions(&menu, ui.tableWidget, index.row(), index.column(), recordTable.at(index.row()));
    if (!menu.isEmpty())
        menu.addSeparator();
    // An entry of this menu's own: a screen reader keeps a shared action's entry with the first menu it
    // was shown in, and finds nothing readable in the later ones.
    QAction *deleteRows = menu.addAction(ui.deleteRowsAction->text(), ui.deleteRowsAction, &QAction::trigger,
                                         ui.deleteRowsAction->shortcut());
    deleteRows->setEnabled(ui.deleteRowsAction->isEnabled());
    menu.exec(ui.tableWidget->viewport()->mapToGlobal(p));
}
