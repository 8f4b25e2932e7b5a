// Item delegate of the field list: reports a committed name edit before writing it.
#pragma once

#include <QItemDelegate>
#include <QString>

class ListItemDelegate final : public QItemDelegate
{
    Q_OBJECT

public:
    using QItemDelegate::QItemDelegate;

    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override;

signals:
    void signalTextModified(int row, QString text);
};
