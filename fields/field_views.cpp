// The two views of the catalogue: the field list entries and the table columns.
#include "app/quorbel.h"

#include <QSignalBlocker>

namespace {

// Above this many entries the list lays itself out in batches between events, so that a huge
// catalogue does not hold back the window's first paint; smaller lists are laid out at once.
constexpr int batchedListFrom = 10000;

} // namespace

// Both views are filled with items that already carry their text and flags: changing an item that
// sits in a view makes Qt look it up among all the others, which with a catalogue of hundreds of
// thousands of fields turned start-up into minutes.

void Quorbel::refreshFieldsList()
{
    ui.fieldsList->clear();
    ui.fieldsList->setLayoutMode(catalogue.size() >= batchedListFrom ? QListView::Batched
                                                                     : QListView::SinglePass);
    for (int i = 0; i < catalogue.size(); ++i) {
        auto *item = new QListWidgetItem(catalogue.at(i).name);
        item->setFlags(item->flags() | Qt::ItemIsEditable);
        ui.fieldsList->addItem(item);
    }
}

void Quorbel::refreshTableHeader()
{
    QTableWidget *table = ui.tableWidget;
    const int count = catalogue.size();
    const int before = table->columnCount();
    table->setColumnCount(count);
    // Columns come and go at the end here (a field added, the file loaded); the rows follow.
    if (count != before) {
        QVector<int> fromOld;
        for (int column = 0; column < count; ++column)
            fromOld.append(column < before ? column : -1);
        tableColumnsChanged(fromOld);
    }
    {
        // One change notice for all the labels instead of one per column.
        const QSignalBlocker quiet(table->model());
        for (int i = 0; i < count; ++i) {
            const QString &name = catalogue.at(i).name;
            const QTableWidgetItem *header = table->horizontalHeaderItem(i);
            if (!header || header->text() != name)
                table->setHorizontalHeaderItem(i, new QTableWidgetItem(name));
        }
    }
    if (count > 0)
        emit table->model()->headerDataChanged(Qt::Horizontal, 0, count - 1);
}
