// Kinds decide what is compared, so two mobile columns (手机, 手机号) meet each other; the key makes
// the ways people type the same number meet.
#include "review/duplicate_rows.h"

#include "fields/known_fields.h"

#include <algorithm>

namespace {

enum class Strength { None, Hard, Soft };

Strength strengthOf(FieldKind kind)
{
    switch (kind) {
    case FieldKind::IdNumber:
    case FieldKind::Mobile:
    case FieldKind::Email:
        return Strength::Hard;
    case FieldKind::Name:
        return Strength::Soft;
    default:
        return Strength::None;
    }
}

QList<int> markingKinds(const QStringList &fieldNames)
{
    QList<int> kinds;
    for (const QString &name : fieldNames) {
        FieldKind kind = fieldKind(name);
        // A 联系电话 column mostly holds mobile numbers, and meets the 手机 column of another row.
        if (kind == FieldKind::Phone)
            kind = FieldKind::Mobile;
        kinds.append(strengthOf(kind) == Strength::None ? -1 : int(kind));
    }
    return kinds;
}

bool isSoft(int kind)
{
    return strengthOf(FieldKind(kind)) == Strength::Soft;
}

struct Cell
{
    int row;
    int column;
};

} // namespace

QString duplicateKey(const QString &value)
{
    QString key = value.trimmed();
    for (QChar &c : key) {
        const ushort u = c.unicode();
        if (u >= 0xFF01 && u <= 0xFF5E)
            c = QChar(ushort(u - 0xFEE0));
        else if (u == 0x3000)
            c = QLatin1Char(' ');
        if (c == QLatin1Char('x'))
            c = QLatin1Char('X');
    }
    return key.trimmed();
}

QVector<DuplicateMark> findDuplicates(const QStringList &fieldNames, const QList<QStringList> &rows)
{
    const QList<int> kinds = markingKinds(fieldNames);
    QHash<QPair<int, QString>, QVector<Cell>> groups;
    QList<QPair<int, QString>> order; // groups in the order first seen, so marks come out the same each time
    for (int row = 0; row < rows.size(); ++row) {
        const QStringList &cells = rows.at(row);
        for (int column = 0; column < kinds.size() && column < cells.size(); ++column) {
            if (kinds.at(column) < 0)
                continue;
            const QString key = duplicateKey(cells.at(column));
            if (key.isEmpty())
                continue;
            QVector<Cell> &group = groups[{ kinds.at(column), key }];
            if (group.isEmpty())
                order.append({ kinds.at(column), key });
            group.append({ row, column });
        }
    }

    QVector<DuplicateMark> hard;
    QVector<DuplicateMark> soft;
    for (const auto &id : order) {
        const QVector<Cell> &group = groups.value(id);
        const int first = group.first().row;
        const auto other =
            std::find_if(group.begin(), group.end(), [first](const Cell &c) { return c.row != first; });
        if (other == group.end())
            continue; // one row, twice
        for (const Cell &cell : group)
            (isSoft(id.first) ? soft : hard)
                .append({ cell.row, cell.column, cell.row == first ? other->row : first, isSoft(id.first) });
    }
    // A shared name means nothing more for rows already marked as the same person.
    QVector<bool> hardRows(rows.size(), false);
    for (const DuplicateMark &mark : hard)
        hardRows[mark.row] = true;
    for (const DuplicateMark &mark : soft) {
        if (!hardRows.at(mark.row))
            hard.append(mark);
    }
    std::sort(hard.begin(), hard.end(), [](const DuplicateMark &a, const DuplicateMark &b) {
        return a.row != b.row ? a.row < b.row : a.column < b.column;
    });
    return hard;
}

int duplicatedRowCount(const QVector<DuplicateMark> &marks)
{
    int count = 0;
    int last = -1;
    for (const DuplicateMark &mark : marks) {
        if (!mark.soft && mark.row != last) {
            ++count;
            last = mark.row;
        }
    }
    return count;
}

QString duplicateMarkText(const DuplicateMark &mark, const QStringList &fieldNames)
{
    if (mark.soft)
        return QStringLiteral("与第 %1 行同名").arg(mark.otherRow + 1);
    return QStringLiteral("与第 %1 行重复（%2）").arg(mark.otherRow + 1).arg(fieldNames.value(mark.column));
}

DuplicateTracker::DuplicateTracker(const QStringList &fieldNames)
    : m_kinds(markingKinds(fieldNames))
{ }

QVector<DuplicateMark> DuplicateTracker::add(const QStringList &cells)
{
    const int row = m_count++;
    QVector<DuplicateMark> marks;
    for (int column = 0; column < m_kinds.size() && column < cells.size(); ++column) {
        if (m_kinds.at(column) < 0)
            continue;
        const QString key = duplicateKey(cells.at(column));
        if (key.isEmpty())
            continue;
        const auto seen = m_first.constFind({ m_kinds.at(column), key });
        if (seen == m_first.constEnd())
            m_first.insert({ m_kinds.at(column), key }, row);
        else if (seen.value() != row)
            marks.append({ row, column, seen.value(), isSoft(m_kinds.at(column)) });
    }
    return marks;
}
