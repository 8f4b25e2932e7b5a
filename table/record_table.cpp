// Positions are kept ascending in every change, so an insertion can put rows back exactly where a
// removal took them from by going up the list, and a removal can take them out by going down it.
#include "table/record_table.h"

namespace {

bool ascendingWithin(const QList<int> &positions, int limit)
{
    for (int i = 0; i < positions.size(); ++i) {
        if (positions.at(i) < 0 || positions.at(i) >= limit
            || (i > 0 && positions.at(i) <= positions.at(i - 1)))
            return false;
    }
    return true;
}

// The end of the run of neighbouring positions that starts at `begin`.
int runEnd(const QList<int> &positions, int begin)
{
    int end = begin + 1;
    while (end < positions.size() && positions.at(end) == positions.at(end - 1) + 1)
        ++end;
    return end;
}

} // namespace

TableChange TableChange::inverse() const
{
    TableChange back = *this;
    switch (kind) {
    case Kind::Insert:
        back.kind = Kind::Remove;
        back.previous = rows;
        back.rows.clear();
        break;
    case Kind::Remove:
        back.kind = Kind::Insert;
        back.rows = previous;
        back.previous.clear();
        break;
    case Kind::Replace:
        back.rows = previous;
        back.previous = rows;
        break;
    case Kind::Columns:
    case Kind::Reset:
        break;
    }
    return back;
}

TableChange TableChange::insertion(int at, const QVector<TableRow> &rows)
{
    TableChange change;
    change.kind = Kind::Insert;
    change.rows = rows;
    for (int i = 0; i < rows.size(); ++i)
        change.positions.append(at + i);
    return change;
}

QStringList RecordTable::texts() const
{
    QStringList texts;
    texts.reserve(m_rows.size());
    for (const TableRow &row : m_rows)
        texts.append(row.text);
    return texts;
}

QList<QStringList> RecordTable::cells(int columnCount) const
{
    QList<QStringList> cells;
    cells.reserve(m_rows.size());
    for (const TableRow &row : m_rows) {
        QStringList shown = row.cells.mid(0, columnCount);
        while (shown.size() < columnCount)
            shown.append(QString());
        cells.append(shown);
    }
    return cells;
}

bool RecordTable::accepts(const TableChange &change) const
{
    switch (change.kind) {
    case TableChange::Kind::Insert:
        // Each goes in while the rows after it are not yet back, so its limit grows by one per row.
        return change.rows.size() == change.positions.size()
            && ascendingWithin(change.positions, m_rows.size() + change.rows.size());
    case TableChange::Kind::Remove:
        return ascendingWithin(change.positions, m_rows.size());
    case TableChange::Kind::Replace:
        return change.rows.size() == change.positions.size()
            && ascendingWithin(change.positions, m_rows.size());
    case TableChange::Kind::Columns:
        for (const int from : change.columns) {
            if (from < -1)
                return false;
        }
        return true;
    case TableChange::Kind::Reset:
        return true;
    }
    return false;
}

void RecordTable::apply(TableChange *change)
{
    switch (change->kind) {
    case TableChange::Kind::Insert:
        // Runs of neighbours go in at once: a batch in the middle of a long table moves it once.
        for (int begin = 0; begin < change->positions.size();) {
            const int end = runEnd(change->positions, begin);
            m_rows.insert(change->positions.at(begin), end - begin, TableRow());
            for (int i = begin; i < end; ++i)
                m_rows[change->positions.at(i)] = change->rows.at(i);
            begin = end;
        }
        break;
    case TableChange::Kind::Remove: {
        if (change->previous.isEmpty()) {
            for (const int row : qAsConst(change->positions))
                change->previous.append(m_rows.at(row));
        }
        // From the bottom, so the positions above stay valid.
        QList<int> starts;
        for (int begin = 0; begin < change->positions.size(); begin = runEnd(change->positions, begin))
            starts.append(begin);
        for (int i = starts.size() - 1; i >= 0; --i) {
            const int begin = starts.at(i);
            m_rows.remove(change->positions.at(begin), runEnd(change->positions, begin) - begin);
        }
        break;
    }
    case TableChange::Kind::Replace: {
        const bool keep = change->previous.isEmpty();
        for (int i = 0; i < change->positions.size(); ++i) {
            TableRow &row = m_rows[change->positions.at(i)];
            if (keep)
                change->previous.append(row);
            row = change->rows.at(i);
        }
        break;
    }
    case TableChange::Kind::Columns:
        for (TableRow &row : m_rows)
            remapColumns(&row, change->columns);
        break;
    case TableChange::Kind::Reset:
        m_rows = change->rows;
        break;
    }
}

TableChange RecordTable::removal(const QList<int> &rows) const
{
    TableChange change;
    change.kind = TableChange::Kind::Remove;
    change.positions = rows;
    for (const int row : rows)
        change.previous.append(m_rows.at(row));
    return change;
}

TableChange RecordTable::replacement(const QList<int> &rows, const QVector<TableRow> &newRows) const
{
    TableChange change;
    change.kind = TableChange::Kind::Replace;
    change.positions = rows;
    change.rows = newRows;
    for (const int row : rows)
        change.previous.append(m_rows.at(row));
    return change;
}
