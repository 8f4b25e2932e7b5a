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

QVector<int> markingKinds(const QStringList &fieldNames)
{
    QVector<int> kinds;
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

QVector<int> duplicateKinds(const QStringList &fieldNames)
{
    return markingKinds(fieldNames);
}

QStringList duplicateKeys(const QVector<int> &kinds, const QStringList &cells)
{
    QStringList keys;
    keys.reserve(kinds.size());
    for (int column = 0; column < kinds.size(); ++column)
        keys.append(kinds.at(column) < 0 ? QString() : duplicateKey(cells.value(column)));
    return keys;
}

QVector<DuplicateMark> findDuplicates(const QStringList &fieldNames, const QList<QStringList> &rows)
{
    const QVector<int> kinds = markingKinds(fieldNames);
    QList<QStringList> keyRows;
    keyRows.reserve(rows.size());
    for (const QStringList &cells : rows)
        keyRows.append(duplicateKeys(kinds, cells));
    return findDuplicateKeys(kinds, keyRows);
}

QVector<DuplicateMark> findDuplicateKeys(const QVector<int> &kinds, const QList<QStringList> &keyRows)
{
    // One pass gives every compared cell its group, and each group its first two rows; cells come in
    // row order, so the marks do too. It runs after every change to a table of thousands of rows.
    struct Group
    {
        int first;
        int second;
    };
    struct Entry
    {
        int row;
        int column;
        int group;
    };
    const int compared = int(std::count_if(kinds.begin(), kinds.end(), [](int kind) { return kind >= 0; }));
    QHash<QPair<int, QString>, int> groupOf;
    groupOf.reserve(compared * keyRows.size());
    QVector<Group> groups;
    QVector<Entry> entries;
    entries.reserve(compared * keyRows.size());
    for (int row = 0; row < keyRows.size(); ++row) {
        const QStringList &keys = keyRows.at(row);
        for (int column = 0; column < kinds.size() && column < keys.size(); ++column) {
            if (kinds.at(column) < 0 || keys.at(column).isEmpty())
                continue;
            int &slot = groupOf[{ kinds.at(column), keys.at(column) }]; // the group's index + 1, 0 when new
            if (slot == 0) {
                groups.append({ row, -1 });
                slot = groups.size();
            }
            const int group = slot - 1;
            if (groups.at(group).second < 0 && groups.at(group).first != row)
                groups[group].second = row;
            entries.append({ row, column, group });
        }
    }

    // A shared name means nothing more for rows already marked as the same person.
    QVector<bool> hardRows(keyRows.size(), false);
    for (const Entry &entry : entries) {
        if (groups.at(entry.group).second >= 0 && !isSoft(kinds.at(entry.column)))
            hardRows[entry.row] = true;
    }
    QVector<DuplicateMark> marks;
    for (const Entry &entry : entries) {
        const Group &group = groups.at(entry.group);
        const bool soft = isSoft(kinds.at(entry.column));
        if (group.second < 0 || (soft && hardRows.at(entry.row)))
            continue; // one row alone, perhaps twice
        marks.append(
            { entry.row, entry.column, entry.row == group.first ? group.second : group.first, soft });
    }
    return marks;
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

void addDuplicateNotes(RecordReview *review, const QVector<DuplicateMark> &marks,
                       const QStringList &fieldNames)
{
    for (const DuplicateMark &mark : marks) {
        if (mark.soft)
            continue;
        ReviewNote note;
        note.field = mark.column;
        note.kind = ReviewNote::Kind::Duplicate;
        note.text =
            QStringLiteral("与第 %1 条重复（%2）").arg(mark.otherRow + 1).arg(fieldNames.value(mark.column));
        note.record = mark.otherRow;
        const auto after =
            std::find_if(review->notes.begin(), review->notes.end(),
                         [&mark](const ReviewNote &other) { return other.field > mark.column; });
        review->notes.insert(after, note);
    }
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
