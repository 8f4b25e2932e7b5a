// Rows taken out of the record table, kept for one undo.
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
