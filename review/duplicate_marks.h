// Duplicate people in a table view: a tint on the shared cells and a line in their tool tips, drawn
// by the view's delegate so that the items, their review marks and what is copied stay untouched.
#pragma once

#include "review/duplicate_rows.h"

#include <QStyledItemDelegate>
#include <QTimer>

#include <functional>

class QTableWidget;

class DuplicateMarks final : public QStyledItemDelegate
{
    Q_OBJECT

public:
    using Describe = std::function<QString(const DuplicateMark &)>;

    // Marks are said through `describe`; by default as duplicateMarkText says them, with the
    // table's column titles.
    explicit DuplicateMarks(QObject *parent = nullptr, Describe describe = nullptr);

    // Fixed marks for a view that follows no table, ordered by row, then column, as findDuplicates
    // gives them.
    void setMarks(const QVector<DuplicateMark> &marks);
    // The mark's line for the cell, or the empty string.
    QString markText(int row, int column) const;
    // The item's own tool tip, then the mark's line.
    QString toolTip(const QModelIndex &index) const;

    // Works the marks out after every change to the table's rows, cells or column titles, once the
    // event loop is back; only changed rows are read again, and only shared keys looked at.
    void follow(QTableWidget *table);
    // A refresh still waiting for the event loop is done now.
    void refreshIfPending();

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override;
    bool helpEvent(QHelpEvent *event, QAbstractItemView *view, const QStyleOptionViewItem &option,
                   const QModelIndex &index) override;

private:
    void schedule();
    void refresh();
    bool find(int row, int column, DuplicateMark *mark) const;

    Describe m_describe;
    QVector<DuplicateMark> m_marks; // by row, then column; unused when a table is followed
    QTableWidget *m_table = nullptr;
    QTimer m_pending; // one refresh for any number of changes before the event loop is back
    // The followed table's compared keys, with the rows changed since the last refresh.
    QVector<int> m_kinds;
    DuplicateIndex m_index;
    QVector<bool> m_changed;
    bool m_allChanged = true;
};

// Gives the record table its marks, kept up to date.
void keepDuplicatesMarked(QTableWidget *table);
// The marks now in the table's delegate, worked out again first if a change is pending.
DuplicateMarks *duplicateMarks(QTableWidget *table);
