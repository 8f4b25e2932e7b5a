// The table as it last left the window, by copy or export, to tell how many rows closing would lose.
#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

class HandedOnRows final
{
public:
    void remember(const QStringList &fieldNames, const QList<QStringList> &rows);
    // Rows added or edited since, or taken out, whichever are more; 0 when the table is as handed on.
    int changedSince(const QStringList &fieldNames, const QList<QStringList> &rows) const;

private:
    QHash<QString, int> m_rows; // row key, and how many rows had it
    int m_count = 0;
};
