// Rows taken out of the record table or added to it in one step, kept for one undo.
#pragma once

#include <QList>
#include <QStringList>

struct RemovedRows
{
    QList<int> rows; // their places in the table, ascending
    QStringList texts; // their record texts
    QList<QStringList> cells; // what each showed, hand edits included
    QStringList fieldNames; // the columns the cells belong to
};

// Rows a batch put into the table, neighbours all; forgotten once any other step adds or removes rows.
struct AddedRows
{
    int first = 0;
    int count = 0;
};
