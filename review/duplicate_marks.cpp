// Working the marks out again from scratch is cheap (a hash of four cells a row), so row numbers are
// right after any deletion, undo, insertion, re-sort or edit without following each of them.
#include "review/duplicate_marks.h"

#include "review/duplicate_rows.h"

#include <QAbstractItemView>
#include <QHelpEvent>
#include <QTableWidget>
#include <QToolTip>

namespace {

// Blue, apart from the review's red and amber; half transparent like them.
QBrush duplicateTint(bool soft)
{
    return QBrush(soft ? QColor(70, 130, 230, 45) : QColor(70, 130, 230, 110));
}

QStringList columnTitles(const QTableWidget *table)
{
    QStringList names;
    for (int column = 0; column < table->columnCount(); ++column) {
        const QTableWidgetItem *title = table->horizontalHeaderItem(column);
        names.append(title ? title->text() : QString());
    }
    return names;
}

QList<QStringList> shownCells(const QTableWidget *table)
{
    QList<QStringList> rows;
    rows.reserve(table->rowCount());
    for (int row = 0; row < table->rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < table->columnCount(); ++column) {
            const QTableWidgetItem *item = table->item(row, column);
            cells.append(item ? item->text() : QString());
        }
        rows.append(cells);
    }
    return rows;
}

} // namespace

DuplicateMarks::DuplicateMarks(QObject *parent)
    : QStyledItemDelegate(parent)
{ }

void DuplicateMarks::setMarks(const QHash<QPair<int, int>, Mark> &marks)
{
    m_marks = marks;
}

QString DuplicateMarks::toolTip(const QModelIndex &index) const
{
    const QString own = index.data(Qt::ToolTipRole).toString();
    const QString line = mark(index.row(), index.column()).text;
    if (line.isEmpty())
        return own;
    return own.isEmpty() ? line : own + QLatin1Char('\n') + line;
}

void DuplicateMarks::initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    const auto found = m_marks.constFind({ index.row(), index.column() });
    if (found != m_marks.constEnd())
        option->backgroundBrush = duplicateTint(found->soft);
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
    const auto schedule = [this] {
        if (!m_pending.isActive())
            m_pending.start();
    };
    QAbstractItemModel *model = table->model();
    connect(model, &QAbstractItemModel::dataChanged, this, schedule);
    connect(model, &QAbstractItemModel::rowsInserted, this, schedule);
    connect(model, &QAbstractItemModel::rowsRemoved, this, schedule);
    connect(model, &QAbstractItemModel::columnsInserted, this, schedule);
    connect(model, &QAbstractItemModel::columnsRemoved, this, schedule);
    connect(model, &QAbstractItemModel::columnsMoved, this, schedule);
    connect(model, &QAbstractItemModel::headerDataChanged, this, schedule);
    connect(model, &QAbstractItemModel::layoutChanged, this, schedule);
    connect(model, &QAbstractItemModel::modelReset, this, schedule);
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
    const QStringList names = columnTitles(m_table);
    QHash<QPair<int, int>, Mark> marks;
    for (const DuplicateMark &mark : findDuplicates(names, shownCells(m_table)))
        marks.insert({ mark.row, mark.column }, { duplicateMarkText(mark, names), mark.soft });
    m_marks = marks;
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
