// The row's review is worked out from the cells, so that undo, redo and a restore after a crash
// bring back the same marks from what they keep, and nothing but the owner of the rows holds them.
#include "table/table_row.h"

#include <QVariant>

namespace {

// Left-over tokens that a hand edit has put into a cell no longer count as left over.
QStringList leftoverNotInEditedCells(const TableRow &row)
{
    QStringList leftover = row.leftover;
    for (int column = 0; column < row.cells.size(); ++column) {
        if (row.isEdited(column))
            leftover.removeOne(row.cells.at(column));
    }
    return leftover;
}

} // namespace

QVariant TableRow::suggestion(int column) const
{
    for (const ReviewNote &note : notes) {
        if (note.field == column && note.kind == ReviewNote::Kind::Suggestion)
            return note.values.value(0);
    }
    return QVariant();
}

QStringList TableRow::candidates(int column) const
{
    for (const ReviewNote &note : notes) {
        if (note.field == column && note.kind == ReviewNote::Kind::Candidates)
            return note.values;
    }
    return QStringList();
}

bool TableRow::operator==(const TableRow &other) const
{
    if (text != other.text || cells != other.cells || labelled != other.labelled || edited != other.edited
        || leftover != other.leftover || shownLeftover != other.shownLeftover
        || notes.size() != other.notes.size())
        return false;
    for (int i = 0; i < notes.size(); ++i) {
        const ReviewNote &a = notes.at(i);
        const ReviewNote &b = other.notes.at(i);
        if (a.field != b.field || a.kind != b.kind || a.text != b.text || a.values != b.values)
            return false;
    }
    return true;
}

TableRow classifiedRow(const QString &text, const RecordReview &review)
{
    TableRow row;
    row.text = text;
    row.cells = review.cells;
    row.labelled = review.labelled;
    for (int column = 0; column < row.cells.size(); ++column)
        row.edited.append(false);
    row.leftover = review.leftover;
    row.notes = review.notes;
    row.shownLeftover = review.leftover;
    return row;
}

TableRow classifiedRow(const QString &text, const QList<FieldDef> &fields)
{
    return classifiedRow(text, reviewText(text, fields));
}

void reviewAgain(TableRow *row, const QList<FieldDef> &fields)
{
    while (row->cells.size() < fields.size())
        row->cells.append(QString());
    while (row->labelled.size() < row->cells.size())
        row->labelled.append(false);
    while (row->edited.size() < row->cells.size())
        row->edited.append(false);
    ReviewInput input;
    input.fields = fields;
    input.cells = row->cells.mid(0, fields.size());
    input.labelled = row->labelled.mid(0, fields.size());
    input.settled = row->edited.mid(0, fields.size());
    input.leftover = leftoverNotInEditedCells(*row);
    // The text pairs labels with values as it reads; after a hand edit the cells no longer follow it.
    if (!input.settled.contains(true))
        input.text = row->text;
    const RecordReview review = reviewRecord(input);
    row->notes = review.notes;
    row->shownLeftover = review.leftover;
}

TableRow editedRow(TableRow row, int column, const QString &value, const QList<FieldDef> &fields)
{
    if (column < 0 || column >= fields.size())
        return row;
    while (row.cells.size() <= column)
        row.cells.append(QString());
    while (row.edited.size() < row.cells.size())
        row.edited.append(false);
    while (row.labelled.size() < row.cells.size())
        row.labelled.append(false);
    row.cells[column] = value;
    row.edited[column] = true;
    row.labelled[column] = false;
    reviewAgain(&row, fields);
    return row;
}

TableRow rowWithSuggestions(const TableRow &row, const QList<FieldDef> &fields)
{
    // Gathered first: each hand edit reviews the row again, which may withdraw the others.
    QList<QPair<int, QString>> adopted;
    for (int column = 0; column < fields.size(); ++column) {
        const QVariant value = row.suggestion(column);
        if (value.isValid())
            adopted.append({ column, value.toString() });
    }
    TableRow result = row;
    for (const auto &cell : adopted)
        result = editedRow(result, cell.first, cell.second, fields);
    return result;
}

void remapColumns(TableRow *row, const QVector<int> &fromOld)
{
    QStringList cells;
    QList<bool> labelled;
    QList<bool> edited;
    for (const int old : fromOld) {
        cells.append(old < 0 ? QString() : row->cells.value(old));
        labelled.append(old < 0 ? false : row->labelled.value(old));
        edited.append(old < 0 ? false : row->edited.value(old));
    }
    QVector<ReviewNote> notes;
    for (int column = 0; column < fromOld.size(); ++column) {
        if (fromOld.at(column) < 0)
            continue;
        for (ReviewNote note : qAsConst(row->notes)) {
            if (note.field != fromOld.at(column))
                continue;
            note.field = column;
            notes.append(note);
        }
    }
    row->cells = cells;
    row->labelled = labelled;
    row->edited = edited;
    row->notes = notes;
}
