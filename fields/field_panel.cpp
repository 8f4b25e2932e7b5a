// The field list panel: add, rename, delete, reorder fields and edit their patterns.
// Every command changes the catalogue, the list entry and the table column together, then saves.
#include "app/quorbel.h"

#include "engine/pattern_check.h"
#include "engine/pattern_sense.h"
#include "fields/known_fields.h"

#include <QCursor>
#include <QMenu>

namespace {

// The list's current row when it names a field, otherwise -1.
int currentField(const QListWidget *list, const FieldCatalogue &catalogue)
{
    const int row = list->currentRow();
    return catalogue.isValidIndex(row) ? row : -1;
}

QListWidgetItem *newFieldItem(const QString &name)
{
    auto *item = new QListWidgetItem(name);
    item->setFlags(item->flags() | Qt::ItemIsEditable);
    return item;
}

// A pattern over the engine's limits fits nothing, and one that cannot mean what its user meant is
// not used: the box is tinted and its tool tip says why.
// Blending the warning colour into the box's usual background keeps the usual text readable in
// light and dark palettes alike.
void showPatternLimits(QLineEdit *edit, const QString &pattern)
{
    // Over the limits, or unable to mean what its user meant ([\u4e00-\u9fa5], an unbalanced
    // parenthesis): either way the tool tip says why and how to write it.
    const QString limits = disabledPatternNote(pattern);
    const QString note = limits.isEmpty() ? patternAdvice(pattern) : limits;
    edit->setToolTip(note);
    if (note.isEmpty()) {
        edit->setPalette(QPalette()); // back to the inherited palette
        return;
    }
    QPalette palette = edit->parentWidget()->palette();
    const QColor base = palette.color(QPalette::Base);
    const QColor warning(255, 140, 0);
    const auto blend = [](int usual, int tint) { return (usual * 3 + tint * 2) / 5; };
    palette.setColor(QPalette::Base,
                     QColor(blend(base.red(), warning.red()), blend(base.green(), warning.green()),
                            blend(base.blue(), warning.blue())));
    edit->setPalette(palette);
}

} // namespace

void Quorbel::slotFieldItemAdd()
{
    const QString name = QStringLiteral("新字段");
    QListWidgetItem *item = newFieldItem(name);
    ui.fieldsList->addItem(item);
    // The user types the real name straight away; committing it runs the rename.
    ui.fieldsList->editItem(item);
    catalogue.append({ name, QString() });
    refreshTableHeader();
    saveFields();
}

void Quorbel::slotFieldItemRowChanged()
{
    const int row = currentField(ui.fieldsList, catalogue);
    if (row < 0)
        return;
    ui.patternEdit->setText(catalogue.at(row).pattern);
    showPatternLimits(ui.patternEdit, catalogue.at(row).pattern);
}

void Quorbel::slotFieldItemTextModified(int row, QString text)
{
    // The delegate reports every commit; the list entry still shows the old name here.
    if (!catalogue.isValidIndex(row) || text == catalogue.at(row).name)
        return;
    catalogue[row].name = text;
    ui.fieldsList->setCurrentRow(row);
    if (catalogue.at(row).pattern.isEmpty()) {
        catalogue[row].pattern = presetPattern(text);
        if (ui.fieldsList->currentRow() == row)
            ui.patternEdit->setText(catalogue.at(row).pattern);
    }
    if (QTableWidgetItem *header = ui.tableWidget->horizontalHeaderItem(row))
        header->setText(text);
    else
        ui.tableWidget->setHorizontalHeaderItem(row, new QTableWidgetItem(text));
    tableColumnsRenamed();
    saveFields();
}

void Quorbel::slotFieldItemPatternModified(QString text)
{
    const int row = currentField(ui.fieldsList, catalogue);
    if (row < 0)
        return;
    catalogue[row].pattern = text;
    showPatternLimits(ui.patternEdit, text);
    saveFields();
}

void Quorbel::slotFieldItemMenu(QPoint p)
{
    if (!ui.fieldsList->itemAt(p))
        return;
    // Built anew for every request; the commands act on the current entry.
    QMenu menu(this);
    menu.addAction(QStringLiteral("重命名"), this, SLOT(slotFieldItemRename()));
    menu.addAction(QStringLiteral("删除"), this, SLOT(slotFieldItemDelete()));
    menu.addAction(QStringLiteral("上移"), this, SLOT(slotFieldItemMoveUp()));
    menu.addAction(QStringLiteral("下移"), this, SLOT(slotFieldItemMoveDown()));
    menu.addAction(QStringLiteral("置顶"), this, SLOT(slotFieldItemMoveTop()));
    menu.addAction(QStringLiteral("置底"), this, SLOT(slotFieldItemMoveBottom()));
    menu.exec(QCursor::pos());
}

void Quorbel::slotFieldItemRename()
{
    const int row = currentField(ui.fieldsList, catalogue);
    if (row >= 0)
        ui.fieldsList->editItem(ui.fieldsList->item(row));
}

void Quorbel::slotFieldItemDelete()
{
    const int row = currentField(ui.fieldsList, catalogue);
    if (row < 0)
        return;
    // The list entry goes first: the list announces its new current row while the entry is still
    // counted, and that row must still name the same field in the catalogue, or the pattern box
    // would show the pattern of the field after it.
    delete ui.fieldsList->takeItem(row);
    catalogue.removeAt(row);
    ui.tableWidget->removeColumn(row);
    QVector<int> fromOld;
    for (int column = 0; column < catalogue.size(); ++column)
        fromOld.append(column < row ? column : column + 1);
    tableColumnsChanged(fromOld);
    saveFields();
}

void Quorbel::slotFieldItemMoveUp()
{
    const int row = currentField(ui.fieldsList, catalogue);
    if (row > 0)
        moveField(row, row - 1);
}

void Quorbel::slotFieldItemMoveDown()
{
    const int row = currentField(ui.fieldsList, catalogue);
    if (row >= 0 && row < catalogue.size() - 1)
        moveField(row, row + 1);
}

void Quorbel::slotFieldItemMoveTop()
{
    const int row = currentField(ui.fieldsList, catalogue);
    if (row > 0)
        moveField(row, 0);
}

void Quorbel::slotFieldItemMoveBottom()
{
    const int row = currentField(ui.fieldsList, catalogue);
    if (row >= 0 && row < catalogue.size() - 1)
        moveField(row, catalogue.size() - 1);
}

void Quorbel::moveField(int from, int to)
{
    if (from == to || !catalogue.isValidIndex(from) || !catalogue.isValidIndex(to))
        return;
    catalogue.move(from, to);
    saveFields();

    // The copy goes in first, on the far side of the target when moving down, then the old one goes.
    const int insertAt = to < from ? to : to + 1;
    const int oldAt = to < from ? from + 1 : from;
    ui.fieldsList->insertItem(insertAt, newFieldItem(ui.fieldsList->item(from)->text()));
    delete ui.fieldsList->takeItem(oldAt);
    ui.fieldsList->setCurrentRow(to);

    QTableWidget *table = ui.tableWidget;
    // The cells move, nobody edits them.
    showingRows = true;
    table->insertColumn(insertAt);
    // Every table row, not only those with a record text: the cells are what must travel.
    for (int row = 0; row < table->rowCount(); ++row) {
        if (const QTableWidgetItem *cell = table->item(row, oldAt))
            table->setItem(row, insertAt, cell->clone());
    }
    table->removeColumn(oldAt);
    showingRows = false;
    QVector<int> fromOld;
    for (int column = 0; column < catalogue.size(); ++column)
        fromOld.append(column);
    fromOld.move(from, to);
    tableColumnsChanged(fromOld);
    refreshTableHeader();
}
