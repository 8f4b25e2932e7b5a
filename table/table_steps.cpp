// A step holds only the rows it changes, and those share their texts with the table (Qt's strings
// are shared until written), so a hundred steps over a long table cost little more than their rows.
#include "table/table_steps.h"

#include <QItemSelectionModel>
#include <QRunnable>
#include <QTableWidget>
#include <QThreadPool>

namespace {

// Above this many rows a step is freed on a pool thread: the undo stack drops its oldest step while a
// new one is pushed, and freeing ten thousand rows there would hold up the command the user gave.
constexpr int kRowsFreedAside = 1000;

class Release final : public QRunnable
{
public:
    explicit Release(TableChange change)
        : m_change(std::move(change))
    { }
    void run() override { m_change = TableChange(); }

private:
    TableChange m_change;
};

} // namespace

TableCursor TableCursor::of(const QTableWidget *table)
{
    TableCursor cursor;
    cursor.row = table->currentRow();
    cursor.column = table->currentColumn();
    cursor.selection = table->selectedRanges();
    return cursor;
}

void TableCursor::restore(QTableWidget *table) const
{
    const int rows = table->rowCount();
    const int columns = table->columnCount();
    if (row >= 0 && row < rows && column >= 0 && column < columns)
        table->setCurrentCell(row, column, QItemSelectionModel::NoUpdate);
    else if (rows == 0 || columns == 0)
        table->setCurrentItem(nullptr, QItemSelectionModel::NoUpdate);
    table->clearSelection();
    for (const QTableWidgetSelectionRange &range : selection) {
        // Columns may have gone since; what is left of the range is selected.
        const QTableWidgetSelectionRange fitted(range.topRow(), range.leftColumn(),
                                                qMin(range.bottomRow(), rows - 1),
                                                qMin(range.rightColumn(), columns - 1));
        if (fitted.topRow() <= fitted.bottomRow() && fitted.leftColumn() <= fitted.rightColumn())
            table->setRangeSelected(fitted, true);
    }
}

TableStep::TableStep(const QString &text, const TableChange &change, Apply apply, QTableWidget *table)
    : QUndoCommand(text)
    , m_change(change)
    , m_apply(std::move(apply))
    , m_table(table)
    , m_before(TableCursor::of(table))
{ }

TableStep::~TableStep()
{
    if (m_change.rows.size() + m_change.previous.size() > kRowsFreedAside)
        QThreadPool::globalInstance()->start(new Release(std::move(m_change)));
}

void TableStep::redo()
{
    m_apply(&m_change);
    if (m_afterKnown)
        m_after.restore(m_table);
}

void TableStep::undo()
{
    TableChange back = m_change.inverse();
    m_apply(&back);
    m_before.restore(m_table);
}

void TableStep::rememberCursor()
{
    m_after = TableCursor::of(m_table);
    m_afterKnown = true;
}

void TableStep::remapColumns(const QVector<int> &fromOld)
{
    for (TableRow &row : m_change.rows)
        ::remapColumns(&row, fromOld);
    for (TableRow &row : m_change.previous)
        ::remapColumns(&row, fromOld);
}
