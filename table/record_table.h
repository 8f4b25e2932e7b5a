// The owner of the record table's rows. Every change goes through apply() as a TableChange, which
// is also what an undo step holds and what the kept table writes to disk, so the three never differ.
#pragma once

#include "table/table_row.h"

#include <QList>
#include <QStringList>
#include <QVector>

struct TableChange
{
    enum class Kind : quint8 {
        Insert = 1, // rows go in, the n-th at positions[n], in ascending order
        Remove, // the rows at positions go, ascending; `previous` holds them
        Replace, // the rows at positions become `rows`; `previous` holds what they were
        Columns, // new column c takes old column columns[c], or is empty for -1
        Reset, // the table becomes `rows`
    };

    Kind kind = Kind::Insert;
    QList<int> positions;
    QVector<TableRow> rows;
    QVector<TableRow> previous;
    QVector<int> columns;

    // What takes this change back; Columns and Reset have none and give themselves.
    TableChange inverse() const;
    // Rows from position `at` on, all together.
    static TableChange insertion(int at, const QVector<TableRow> &rows);
};

class RecordTable final
{
public:
    int size() const { return m_rows.size(); }
    bool isEmpty() const { return m_rows.isEmpty(); }
    const TableRow &at(int row) const { return m_rows.at(row); }
    const QVector<TableRow> &rows() const { return m_rows; }
    QStringList texts() const;
    QList<QStringList> cells(int columnCount) const;

    // A change that fits the table: positions in range and ascending, column sources in range.
    bool accepts(const TableChange &change) const;
    // Applies a change that accepts() allows; Remove and Replace fill in `previous` when it is empty.
    void apply(TableChange *change);
    // The change that takes out, or replaces, the given rows (ascending).
    TableChange removal(const QList<int> &rows) const;
    TableChange replacement(const QList<int> &rows, const QVector<TableRow> &newRows) const;

private:
    QVector<TableRow> m_rows;
};
