// The marks follow the table's rows as they come, go and change, so row numbers are right after any
// deletion, undo, insertion, re-sort or edit; the keys of changed rows alone are read again and kept
// in an index, since reading or comparing every cell of a large table at each change would cost more
// than the change itself.
#include "review/duplicate_marks.h"

#include <QAbstractItemView>
#include <QHelpEvent>
#include <QTableWidget>
#include <QToolTip>

#include <algorithm>

namespace {

// Blue, apart from the review's red and amber; half transparent like them.
QBrush duplicateTint(bool soft)
{
    return QBrush(soft ? QColor(70, 130, 230, 45) : QColor(70, 130, 230, 110));
}

QStringList columnTitles(const QAbstractItemModel *model)
{
    QStringList names;
    for (int column = 0; column < model->columnCount(); ++column)
        names.append(model->headerData(column, Qt::Horizontal).toString());
    return names;
}

QStringList rowKeys(const QTableWidget *table, int row, const QVector<int> &kinds)
{
    QStringList cells;
    for (int column = 0; column < kinds.size(); ++column) {
        const QTableWidgetItem *item = kinds.at(column) < 0 ? nullptr : table->item(row, column);
        cells.append(item ? item->text() : QString());
    }
    return duplicateKeys(kinds, cells);
}

} // namespace

DuplicateMarks::DuplicateMarks(QObject *parent, Describe describe)
    : QStyledItemDelegate(parent)
    , m_describe(std::move(describe))
{ }

void DuplicateMarks::setMarks(const QVector<DuplicateMark> &marks)
{
    m_marks = marks;
}

bool DuplicateMarks::find(int row, int column, DuplicateMark *mark) const
{
    // A followed table's marks are asked of its index, for the cells shown alone.
    if (m_table)
        return m_index.markAt(row, column, mark);
    const auto found = std::lower_bound(m_marks.begin(), m_marks.end(), qMakePair(row, column),
                                        [](const DuplicateMark &mark, const QPair<int, int> &cell) {
                                            return qMakePair(mark.row, mark.column) < cell;
                                        });
    if (found == m_marks.end() || found->row != row || found->column != column)
        return false;
    *mark = *found;
    return true;
}

QString DuplicateMarks::markText(int row, int column) const
{
    DuplicateMark found;
    if (!find(row, column, &found))
        return QString();
    if (m_describe)
        return m_describe(found);
    return m_table ? duplicateMarkText(found, columnTitles(m_table->model())) : QString();
}

QString DuplicateMarks::toolTip(const QModelIndex &index) const
{
    const QString own = index.data(Qt::ToolTipRole).toString();
    const QString line = markText(index.row(), index.column());
    if (line.isEmpty())
        return own;
    return own.isEmpty() ? line : own + QLatin1Char('\n') + line;
}

void DuplicateMarks::initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    DuplicateMark found;
    if (find(index.row(), index.column(), &found))
        option->backgroundBrush = duplicateTint(found.soft);
}

bool DuplicateMarks::helpEvent(QHelpEvent *event, QAbstractItemView *view, const QStyleOptionViewItem &option,
                               const QModelIndex &index)
{
    if (event->type() != QEvent::ToolTip || !index.isValid())
        return QStyledItemDelegate::helpEvent(event, view, option, index);
    const QString text = toolTip(index);
    if (text.isEmpty()) {
        QToolTip::hideText();
        event->ignore();
        return false;
    }
    QToolTip::showText(event->globalPos(), text, view);
    return true;
}

void DuplicateMarks::follow(QTableWidget *table)
{
    m_table = table;
    m_pending.setSingleShot(true);
    m_pending.setInterval(0);
    connect(&m_pending, &QTimer::timeout, this, &DuplicateMarks::refresh);
    QAbstractItemModel *model = table->model();
    connect(model, &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex &from, const QModelIndex &to) {
                for (int row = from.row(); row <= to.row() && row < m_changed.size(); ++row)
                    m_changed[row] = true;
                schedule();
            });
    connect(model, &QAbstractItemModel::rowsInserted, this, [this](const QModelIndex &, int first, int last) {
        const int count = last - first + 1;
        if (first > m_index.rowCount()) {
            m_allChanged = true;
        } else {
            m_index.insertRows(first, count);
            m_changed.insert(first, count, true);
        }
        schedule();
    });
    connect(model, &QAbstractItemModel::rowsRemoved, this, [this](const QModelIndex &, int first, int last) {
        if (last >= m_index.rowCount()) {
            m_allChanged = true;
        } else {
            m_index.removeRows(first, last - first + 1);
            m_changed.remove(first, last - first + 1);
        }
        schedule();
    });
    const auto everything = [this] {
        m_allChanged = true;
        schedule();
    };
    connect(model, &QAbstractItemModel::columnsInserted, this, everything);
    connect(model, &QAbstractItemModel::columnsRemoved, this, everything);
    connect(model, &QAbstractItemModel::columnsMoved, this, everything);
    // Row numbers in the vertical header change with every insertion; only column titles matter.
    connect(model, &QAbstractItemModel::headerDataChanged, this, [everything](Qt::Orientation orientation) {
        if (orientation == Qt::Horizontal)
            everything();
    });
    connect(model, &QAbstractItemModel::layoutChanged, this, everything);
    connect(model, &QAbstractItemModel::modelReset, this, everything);
    connect(model, &QAbstractItemModel::rowsMoved, this, everything);
    schedule();
}

void DuplicateMarks::schedule()
{
    if (!m_pending.isActive())
        m_pending.start();
}

void DuplicateMarks::refreshIfPending()
{
    if (m_pending.isActive()) {
        m_pending.stop();
        refresh();
    }
}

void DuplicateMarks::refresh()
{
    const int rows = m_table->rowCount();
    if (m_allChanged || m_index.rowCount() != rows) {
        m_kinds = duplicateKinds(columnTitles(m_table->model()));
        m_index = DuplicateIndex(m_kinds);
        m_index.insertRows(0, rows);
        m_changed.fill(true, rows);
        m_allChanged = false;
    }
    for (int row = 0; row < rows; ++row) {
        if (m_changed.at(row)) {
            m_index.setRow(row, rowKeys(m_table, row, m_kinds));
            m_changed[row] = false;
        }
    }
    m_table->viewport()->update();
}

void keepDuplicatesMarked(QTableWidget *table)
{
    auto *marks = new DuplicateMarks(table);
    table->setItemDelegate(marks);
    marks->follow(table);
}

DuplicateMarks *duplicateMarks(QTableWidget *table)
{
    auto *marks = qobject_cast<DuplicateMarks *>(table->itemDelegate());
    if (marks)
        marks->refreshIfPending();
    return marks;
}
