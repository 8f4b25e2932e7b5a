// The two views of the catalogue: the field list entries and the table columns.
#include "app/quorbel.h"

void Quorbel::refreshFieldsList()
{
    ui.fieldsList->clear();
    for (int i = 0; i < catalogue.size(); ++i) {
        auto *item = new QListWidgetItem(catalogue.at(i).name, ui.fieldsList);
        item->setFlags(item->flags() | Qt::ItemIsEditable);
    }
}

void Quorbel::refreshTableHeader()
{
    ui.tableWidget->setColumnCount(catalogue.size());
    ui.tableWidget->setHorizontalHeaderLabels(catalogue.names());
}
