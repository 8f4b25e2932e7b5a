// Rows are compared by what they say, each filled cell with its field's name, so that adding an empty
// column or moving one does not count as unsaved work, while every edit, new row and deletion does.
#include "records/handed_on_rows.h"

namespace {

QString rowKey(const QStringList &fieldNames, const QStringList &row)
{
    QStringList filled;
    for (int column = 0; column < row.size(); ++column) {
        if (!row.at(column).isEmpty())
            filled.append(fieldNames.value(column) + QChar(0x1F) + row.at(column));
    }
    filled.sort();
    return filled.join(QChar(0x1E));
}

} // namespace

void HandedOnRows::remember(const QStringList &fieldNames, const QList<QStringList> &rows)
{
    m_rows.clear();
    for (const QStringList &row : rows)
        ++m_rows[rowKey(fieldNames, row)];
    m_count = rows.size();
}

int HandedOnRows::changedSince(const QStringList &fieldNames, const QList<QStringList> &rows) const
{
    QHash<QString, int> left = m_rows;
    int unmatched = 0;
    for (const QStringList &row : rows) {
        const auto found = left.find(rowKey(fieldNames, row));
        if (found != left.end() && found.value() > 0)
            --found.value();
        else
            ++unmatched;
    }
    const int matched = rows.size() - unmatched;
    return qMax(unmatched, m_count - matched);
}
