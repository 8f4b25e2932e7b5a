// Kinds decide what is compared, so two mobile columns (手机, 手机号) meet each other; the key makes
// the ways people type the same number meet. A value with the shape of a mobile number, an ID number
// or an e-mail address is compared as one wherever it stands (a number the gender preset took is
// still the person's number): every key carries the kind it is compared as.
#include "review/duplicate_rows.h"

#include "fields/character_classes.h"
#include "fields/known_fields.h"
#include "review/kind_traits.h"

#include <QDate>

#include <algorithm>

namespace {

// Per column, the kind whose repeats it meets; FieldKind::Other where repeats mean nothing, but a
// value with a compared shape still meets its kind there.
QVector<int> markingKinds(const QStringList &fieldNames)
{
    QVector<int> kinds;
    for (const QString &name : fieldNames) {
        const KindTraits &traits = traitsOf(fieldKind(name));
        kinds.append(int(traits.repeats == RepeatUse::None ? FieldKind::Other : traits.comparedAs));
    }
    return kinds;
}

// The kind a key is compared as: its first character.
int kindOfKey(const QString &key)
{
    return key.isEmpty() ? -1 : key.at(0).unicode();
}

bool isSoft(int kind)
{
    return kind >= 0 && traitsOf(FieldKind(kind)).repeats == RepeatUse::Soft;
}

// The kinds a value is compared as by its shape alone, wherever it stands: those whose repeats mark
// the same person and that are compared as themselves (mobile, ID number, e-mail).
QVector<FieldKind> shapeComparedKinds()
{
    QVector<FieldKind> kinds;
    for (int k = int(FieldKind::Other) + 1; k <= int(FieldKind::Education); ++k) {
        const KindTraits &traits = traitsOf(FieldKind(k));
        if (traits.repeats == RepeatUse::Hard && traits.comparedAs == traits.kind && traits.shape)
            kinds.append(traits.kind);
    }
    return kinds;
}

// The kind a value is compared as: its shape's when it has a compared one, else its column's if
// that is compared; -1 for none.
int comparedKind(int columnKind, const QString &key)
{
    const int byColumn = columnKind == int(FieldKind::Other) ? -1 : columnKind;
    // Every compared shape holds a digit or an @; names and words are settled without a test.
    if (std::none_of(key.cbegin(), key.cend(), [](QChar c) { return c.isDigit() || c == QLatin1Char('@'); }))
        return byColumn;
    static const QVector<FieldKind> byShape = shapeComparedKinds();
    for (FieldKind kind : byShape) {
        if (traitsOf(kind).shape(key, QDate()))
            return int(kind);
    }
    return byColumn;
}

// The key as its kind compares it: a number of a compared kind in its canonical form (a mobile number
// as its 11 digits), an e-mail address without regard to case.
QString comparedForm(FieldKind kind, const QString &key)
{
    const KindTraits &traits = traitsOf(kind);
    if (traits.repeats != RepeatUse::Hard)
        return key;
    const QString canonical = traits.canonical ? traits.canonical(key) : key;
    return traits.has(CaselessValue) ? canonical.toLower() : canonical;
}

} // namespace

QString duplicateKey(const QString &value)
{
    QString key = halfWidth(value).trimmed();
    key.replace(QLatin1Char('x'), QLatin1Char('X'));
    return key;
}

QVector<int> duplicateKinds(const QStringList &fieldNames)
{
    return markingKinds(fieldNames);
}

QStringList duplicateKeys(const QVector<int> &kinds, const QStringList &cells)
{
    QStringList keys;
    keys.reserve(kinds.size());
    for (int column = 0; column < kinds.size(); ++column) {
        QString key = kinds.at(column) < 0 ? QString() : duplicateKey(cells.value(column));
        const int kind = key.isEmpty() ? -1 : comparedKind(kinds.at(column), key);
        if (kind >= 0)
            key = comparedForm(FieldKind(kind), key);
        keys.append(kind < 0 ? QString() : QChar(ushort(kind)) + key);
    }
    return keys;
}

QVector<DuplicateMark> findDuplicates(const QStringList &fieldNames, const QList<QStringList> &rows)
{
    const QVector<int> kinds = markingKinds(fieldNames);
    DuplicateIndex index(kinds);
    index.insertRows(0, int(rows.size()));
    for (int row = 0; row < rows.size(); ++row)
        index.setRow(row, duplicateKeys(kinds, rows.at(row)));
    return index.marks();
}

DuplicateIndex::DuplicateIndex(const QVector<int> &kinds)
    : m_kinds(kinds)
{ }

void DuplicateIndex::insertRows(int first, int count)
{
    if (count <= 0 || first < 0 || first > m_keys.size())
        return;
    renumberFrom(first, count);
    m_keys.insert(first, count, QStringList());
}

void DuplicateIndex::removeRows(int first, int count)
{
    if (count <= 0 || first < 0 || first + count > m_keys.size())
        return;
    for (int row = first; row < first + count; ++row)
        takeRow(row);
    renumberFrom(first + count, -count);
    m_keys.remove(first, count);
}

void DuplicateIndex::setRow(int row, const QStringList &keys)
{
    if (row < 0 || row >= m_keys.size())
        return;
    takeRow(row);
    m_keys[row] = keys;
    for (int column = 0; column < m_kinds.size() && column < keys.size(); ++column) {
        if (keys.at(column).isEmpty())
            continue;
        QVector<Cell> &cells = m_groups[{ kindOfKey(keys.at(column)), keys.at(column) }];
        const Cell cell { row, column };
        cells.insert(std::lower_bound(cells.begin(), cells.end(), cell,
                                      [](const Cell &a, const Cell &b) {
                                          return qMakePair(a.row, a.column) < qMakePair(b.row, b.column);
                                      }),
                     cell);
    }
}

void DuplicateIndex::takeRow(int row)
{
    const QStringList &keys = m_keys.at(row);
    for (int column = 0; column < m_kinds.size() && column < keys.size(); ++column) {
        if (keys.at(column).isEmpty())
            continue;
        const auto found = m_groups.find({ kindOfKey(keys.at(column)), keys.at(column) });
        if (found == m_groups.end())
            continue;
        QVector<Cell> &cells = found.value();
        cells.erase(std::remove_if(
                        cells.begin(), cells.end(),
                        [row, column](const Cell &cell) { return cell.row == row && cell.column == column; }),
                    cells.end());
        if (cells.isEmpty())
            m_groups.erase(found);
    }
    m_keys[row].clear();
}

void DuplicateIndex::renumberFrom(int row, int by)
{
    // Nothing follows the last row: adding at the end, the common case, renumbers nothing.
    if (row >= m_keys.size())
        return;
    for (QVector<Cell> &cells : m_groups) {
        for (Cell &cell : cells) {
            if (cell.row >= row)
                cell.row += by;
        }
    }
}

const QVector<DuplicateIndex::Cell> *DuplicateIndex::group(int row, int column) const
{
    if (row < 0 || row >= m_keys.size() || column < 0 || column >= m_kinds.size())
        return nullptr;
    const QStringList &keys = m_keys.at(row);
    if (column >= keys.size() || keys.at(column).isEmpty())
        return nullptr;
    const auto found = m_groups.constFind({ kindOfKey(keys.at(column)), keys.at(column) });
    return found == m_groups.constEnd() ? nullptr : &found.value();
}

bool DuplicateIndex::sharesHardKey(int row) const
{
    for (int column = 0; column < m_kinds.size(); ++column) {
        const QVector<Cell> *cells = group(row, column);
        if (!cells || isSoft(kindOfKey(m_keys.at(row).at(column))))
            continue;
        if (cells->first().row != cells->last().row)
            return true;
    }
    return false;
}

bool DuplicateIndex::markAt(int row, int column, DuplicateMark *mark) const
{
    const QVector<Cell> *cells = group(row, column);
    if (!cells)
        return false;
    // The earliest row names the next row in the group; every other names the earliest.
    const int first = cells->first().row;
    const auto next =
        std::find_if(cells->begin(), cells->end(), [first](const Cell &cell) { return cell.row != first; });
    if (next == cells->end())
        return false; // one row alone, perhaps twice
    const bool soft = isSoft(kindOfKey(m_keys.at(row).at(column)));
    // A shared name means nothing more for rows already marked as the same person.
    if (soft && sharesHardKey(row))
        return false;
    *mark = { row, column, row == first ? next->row : first, soft };
    return true;
}

QVector<DuplicateMark> DuplicateIndex::marks() const
{
    QVector<DuplicateMark> marks;
    DuplicateMark mark;
    for (int row = 0; row < m_keys.size(); ++row) {
        for (int column = 0; column < m_kinds.size(); ++column) {
            if (markAt(row, column, &mark))
                marks.append(mark);
        }
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
    const QStringList keys = duplicateKeys(m_kinds, cells);
    for (int column = 0; column < keys.size(); ++column) {
        const QString &key = keys.at(column);
        if (key.isEmpty())
            continue;
        const auto seen = m_first.constFind({ kindOfKey(key), key });
        if (seen == m_first.constEnd())
            m_first.insert({ kindOfKey(key), key }, row);
        else if (seen.value() != row)
            marks.append({ row, column, seen.value(), isSoft(kindOfKey(key)) });
    }
    return marks;
}
