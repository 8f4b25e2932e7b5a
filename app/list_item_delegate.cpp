// The field list's editor delegate: reports a finished rename before the entry shows it.
#include "app/list_item_delegate.h"

#include <QLineEdit>

void ListItemDelegate::setModelData(QWidget *editor, QAbstractItemModel *model,
                                    const QModelIndex &index) const
{
    // Receivers see the new name while the item still shows the old one.
    if (const auto *lineEdit = qobject_cast<const QLineEdit *>(editor))
        emit const_cast<ListItemDelegate *>(this)->signalTextModified(index.row(), lineEdit->text());
    QItemDelegate::setModelData(editor, model, index);
}
