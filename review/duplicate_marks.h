// Duplicate people in a table view: a tint on the shared cells and a line in their tool tips, drawn
// by the view's delegate so that the items, their review marks and what is copied stay untouched.
#pragma once

#include <QHash>
#include <QPair>
#include <QStyledItemDelegate>
#include <QTimer>

class QTableWidget;

class DuplicateMarks final : public QStyledItemDelegate
{
    Q_OBJECT

public:
    struct Mark
    {
        QString text;
        bool soft = false;
    };

    explicit DuplicateMarks(QObject *parent = nullptr);

    void setMarks(const QHash<QPair<int, int>, Mark> &marks);
    Mark mark(int row, int column) const { return m_marks.value({ row, column }); }
    // The item's own tool tip, then the mark's line.
    QString toolTip(const QModelIndex &index) const;

    // Works the marks out from the table's cells and column titles after every change to them.
    void follow(QTableWidget *table);
    // A refresh still waiting for the event loop is done now.
    void refreshIfPending();

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override;
    bool helpEvent(QHelpEvent *event, QAbstractItemView *view, const QStyleOptionViewItem &option,
                   const QModelIndex &index) override;

private:
    void refresh();

    QHash<QPair<int, int>, Mark> m_marks; // row and column → mark
    QTableWidget *m_table = nullptr;
    QTimer m_pending; // one refresh for any number of changes before the event loop is back
};

// Gives the record table its marks and works them out again, over the whole table, once the event
// loop is back after any change to its rows, cells or column titles.
void keepDuplicatesMarked(QTableWidget *table);
// The marks now in the table's delegate, worked out again first if a change is pending.
DuplicateMarks *duplicateMarks(QTableWidget *table);
