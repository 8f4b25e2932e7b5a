// The same person twice: rows that share an ID number, a mobile number or an e-mail address, and,
// more softly, rows that share only a name.
#pragma once

#include "review/record_review.h"

#include <QHash>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QVector>

struct DuplicateMark
{
    int row = -1;
    int column = -1; // the shared cell
    int otherRow = -1; // the first other row sharing it: the earliest, or for that one the next
    bool soft = false; // a name alone
};

// Trimmed, full-width made half-width and x made X, so "１１０１０５…ｘ " meets "110105…X".
QString duplicateKey(const QString &value);

// Every mark over the rows, ordered by row then column. Columns are told apart by their names' kinds.
QVector<DuplicateMark> findDuplicates(const QStringList &fieldNames, const QList<QStringList> &rows);
// Rows with at least one mark that is not soft.
int duplicatedRowCount(const QVector<DuplicateMark> &marks);
// "与第 12 行重复（身份证）", "与第 12 行同名": rows counted from 1.
QString duplicateMarkText(const DuplicateMark &mark, const QStringList &fieldNames);

// The steps of findDuplicates, for a caller that keeps the keys of rows that did not change.
// Per column: the kind it is compared as; FieldKind::Other where only values of a compared shape
// (a mobile number, an ID number, an e-mail address) meet, as they do in every column.
QVector<int> duplicateKinds(const QStringList &fieldNames);
// Per column: the cell's key, led by the kind it is compared as, or the empty string where it is not
// compared.
QStringList duplicateKeys(const QVector<int> &kinds, const QStringList &cells);

// A table's keys kept between changes: adding, removing or changing rows costs what they hold, and a
// cell's mark is worked out when it is asked for, from the few rows that share its key, so a large
// table pays for neither every row at each change nor every mark at each repaint. Rows that come or
// go before others renumber those others' cells, the one step that touches every compared cell, and
// only as integers.
class DuplicateIndex final
{
public:
    // No rows; columns compared as `kinds` says.
    explicit DuplicateIndex(const QVector<int> &kinds = QVector<int>());

    int rowCount() const { return int(m_keys.size()); }
    // Empty rows at `first`: the rows from there on move down by `count`.
    void insertRows(int first, int count);
    void removeRows(int first, int count);
    // The row's keys, as duplicateKeys gives them.
    void setRow(int row, const QStringList &keys);
    // The cell's mark; false when it has none.
    bool markAt(int row, int column, DuplicateMark *mark) const;
    // Every mark, ordered by row then column, as findDuplicates gives them.
    QVector<DuplicateMark> marks() const;

private:
    struct Cell
    {
        int row;
        int column;
    };
    const QVector<Cell> *group(int row, int column) const;
    bool sharesHardKey(int row) const;
    void takeRow(int row);
    void renumberFrom(int row, int by);

    QVector<int> m_kinds;
    QVector<QStringList> m_keys; // per row
    QHash<QPair<int, QString>, QVector<Cell>> m_groups; // kind and key → cells by row, then column
};

// A note of kind duplicate for each mark that is not soft, in field order among the review's notes:
// "与第 3 条重复（手机）" and the earlier record's index.
void addDuplicateNotes(RecordReview *review, const QVector<DuplicateMark> &marks,
                       const QStringList &fieldNames);

// Records one after another, each told which earlier record shares a value: for a stream, where
// no later record is known yet.
class DuplicateTracker final
{
public:
    explicit DuplicateTracker(const QStringList &fieldNames);
    // Marks of the record against those added before it (soft ones included); then remembers it.
    QVector<DuplicateMark> add(const QStringList &cells);

private:
    QVector<int> m_kinds;
    QHash<QPair<int, QString>, int> m_first; // kind and key → first record
    int m_count = 0;
};
