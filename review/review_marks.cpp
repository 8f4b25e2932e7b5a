// The marks live in the items' data, so they travel with the items when columns move and go when
// re-sort puts fresh items in. The text a review saw is kept beside it: an item whose text differs
// was edited by hand.
#include "review/review_marks.h"

#include "review/record_review.h"

#include <QAbstractItemModel>
#include <QBrush>
#include <QHeaderView>
#include <QHelpEvent>
#include <QMenu>
#include <QSet>
#include <QTableWidget>
#include <QToolTip>

#include <algorithm>

namespace {

enum Role {
    ReviewedTextRole = Qt::UserRole + 40,
    LabelledRole,
    SettledRole,
    SuggestionRole,
    CandidatesRole,
};
// On the vertical header item: the row's left-over tokens as classified.
constexpr int LeftoverRole = Qt::UserRole + 40;

// Half transparent, so that they read on the light and the dark palette alike.
QBrush checkTint()
{
    return QBrush(QColor(230, 60, 60, 80));
}

QBrush suggestionTint()
{
    return QBrush(QColor(240, 170, 0, 80));
}

void markItem(QTableWidgetItem *item, const QVector<ReviewNote> &notes, int column, bool labelled)
{
    QStringList lines;
    QVariant suggestion;
    QStringList candidates;
    bool check = false;
    for (const ReviewNote &note : notes) {
        if (note.field != column)
            continue;
        lines.append(note.text);
        if (note.kind == ReviewNote::Kind::Check)
            check = true;
        else if (note.kind == ReviewNote::Kind::Suggestion)
            suggestion = note.values.value(0);
        else
            candidates = note.values;
    }
    item->setData(ReviewedTextRole, item->text());
    item->setData(LabelledRole, labelled);
    item->setData(SuggestionRole, suggestion);
    item->setData(CandidatesRole, candidates.isEmpty() ? QVariant() : QVariant(candidates));
    item->setData(Qt::ToolTipRole, lines.isEmpty() ? QVariant() : QVariant(lines.join(QLatin1Char('\n'))));
    item->setData(Qt::BackgroundRole,
                  lines.isEmpty() ? QVariant() : QVariant(check ? checkTint() : suggestionTint()));
}

QString rowNumber(int row, bool marked)
{
    return QString::number(row + 1) + (marked ? QStringLiteral(" •") : QString());
}

// The header item keeps the tokens as classified; the marker shows those still left over.
void markRow(QTableWidget *table, int row, const QStringList &classified, const QStringList &shown)
{
    if (classified.isEmpty()) {
        delete table->takeVerticalHeaderItem(row);
        return;
    }
    // Changed while out of the table, which would otherwise look it up among all the rows' markers
    // at each change (see keepRowMarkersNumbered).
    QTableWidgetItem *header = table->takeVerticalHeaderItem(row);
    if (!header)
        header = new QTableWidgetItem;
    header->setData(LeftoverRole, classified);
    header->setText(rowNumber(row, !shown.isEmpty()));
    header->setToolTip(shown.isEmpty() ? QString()
                                       : QStringLiteral("未分拣：") + shown.join(QStringLiteral("、")));
    table->setVerticalHeaderItem(row, header);
}

QStringList classifiedLeftover(const QTableWidget *table, int row)
{
    const QTableWidgetItem *header = table->verticalHeaderItem(row);
    return header ? header->data(LeftoverRole).toStringList() : QStringList();
}

// Left-over tokens that a hand edit has put into a cell no longer count as left over.
QStringList shownLeftover(const QTableWidget *table, int row)
{
    QStringList leftover = classifiedLeftover(table, row);
    for (int column = 0; column < table->columnCount(); ++column) {
        const QTableWidgetItem *item = table->item(row, column);
        if (item && item->data(SettledRole).toBool())
            leftover.removeOne(item->text());
    }
    return leftover;
}

void setCellText(QTableWidget *table, int row, int column, const QString &text)
{
    if (QTableWidgetItem *item = table->item(row, column))
        item->setText(text);
    else
        table->setItem(row, column, new QTableWidgetItem(text));
}

QString menuText(const QString &prefix, const QString &value)
{
    QString text = value;
    return prefix
        + (value.isEmpty() ? QStringLiteral("（清空）")
                           : text.replace(QLatin1Char('&'), QStringLiteral("&&")));
}

// A header view shows a section's tip when it has one and otherwise leaves the tip that is up, another
// row's tokens, until that times out; this hides it instead.
class StaleTipHider final : public QObject
{
public:
    explicit StaleTipHider(QHeaderView *header)
        : QObject(header)
        , m_header(header)
    { }

    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() != QEvent::ToolTip)
            return false;
        const int section = m_header->logicalIndexAt(static_cast<QHelpEvent *>(event)->pos());
        if (section >= 0
            && !m_header->model()
                    ->headerData(section, m_header->orientation(), Qt::ToolTipRole)
                    .toString()
                    .isEmpty())
            return false;
        QToolTip::hideText();
        return true;
    }

private:
    QHeaderView *m_header;
};

} // namespace

void writeReviewedRow(QTableWidget *table, int row, const RecordReview &review)
{
    // A fresh item in every column, empty cells included, so nothing of an earlier fill or a hand edit
    // survives. The marks go on before the item goes in, so the table never sees an unreviewed item.
    for (int column = 0; column < review.cells.size(); ++column) {
        auto *item = new QTableWidgetItem(review.cells.at(column));
        markItem(item, review.notes, column, review.labelled.value(column));
        table->setItem(row, column, item);
    }
    markRow(table, row, review.leftover, review.leftover);
}

void recheckEditedItem(QTableWidget *table, QTableWidgetItem *item, const QList<FieldDef> &fields)
{
    const QVariant reviewed = item->data(ReviewedTextRole);
    if (reviewed.isValid() && reviewed.toString() == item->text())
        return;
    const int row = item->row();
    if (row < 0)
        return;
    item->setData(ReviewedTextRole, item->text());
    item->setData(SettledRole, true);
    item->setData(LabelledRole, false);

    ReviewInput input;
    input.fields = fields;
    for (int column = 0; column < fields.size(); ++column) {
        const QTableWidgetItem *cell = table->item(row, column);
        input.cells.append(cell ? cell->text() : QString());
        input.labelled.append(cell && cell->data(LabelledRole).toBool());
        input.settled.append(cell && cell->data(SettledRole).toBool());
    }
    input.leftover = shownLeftover(table, row);
    const RecordReview review = reviewRecord(input);
    for (int column = 0; column < fields.size(); ++column) {
        if (QTableWidgetItem *cell = table->item(row, column))
            markItem(cell, review.notes, column, input.labelled.at(column));
    }
    markRow(table, row, classifiedLeftover(table, row), review.leftover);
}

QString reviewStatusLine(const QTableWidget *table, int row)
{
    if (row < 0 || row >= table->rowCount())
        return QString();
    QStringList parts;
    for (int column = 0; column < table->columnCount(); ++column) {
        const QTableWidgetItem *item = table->item(row, column);
        const QString tip = item ? item->toolTip() : QString();
        if (tip.isEmpty())
            continue;
        const QTableWidgetItem *title = table->horizontalHeaderItem(column);
        parts.append((title ? title->text() + QLatin1Char(' ') : QString())
                     + tip.split(QLatin1Char('\n')).join(QLatin1Char(' ')));
    }
    if (const QTableWidgetItem *header = table->verticalHeaderItem(row)) {
        if (!header->toolTip().isEmpty())
            parts.append(header->toolTip());
    }
    return parts.join(QStringLiteral("；"));
}

void addReviewActions(QMenu *menu, QTableWidget *table, int row, int column)
{
    if (row < 0 || column < 0)
        return;
    QStringList texts;
    QStringList values;
    if (const QTableWidgetItem *item = table->item(row, column)) {
        const QVariant suggestion = item->data(SuggestionRole);
        if (suggestion.isValid()) {
            texts.append(menuText(QStringLiteral("采纳建议："), suggestion.toString()));
            values.append(suggestion.toString());
        }
        for (const QString &candidate : item->data(CandidatesRole).toStringList()) {
            texts.append(menuText(QStringLiteral("候选："), candidate));
            values.append(candidate);
        }
    }
    for (const QString &token : shownLeftover(table, row)) {
        texts.append(menuText(QStringLiteral("未分拣："), token));
        values.append(token);
    }
    if (!texts.isEmpty() && !menu->isEmpty())
        menu->addSeparator();
    for (int i = 0; i < texts.size(); ++i) {
        const QString value = values.at(i);
        QObject::connect(menu->addAction(texts.at(i)), &QAction::triggered, table,
                         [table, row, column, value] { setCellText(table, row, column, value); });
    }
}

void adoptSuggestions(QTableWidget *table, const QList<int> &rows)
{
    for (const int row : rows) {
        // Gathered first: each hand edit reviews the row again, which may withdraw the others.
        QList<QPair<int, QString>> adopted;
        for (int column = 0; column < table->columnCount(); ++column) {
            const QTableWidgetItem *item = table->item(row, column);
            if (item && item->data(SuggestionRole).isValid())
                adopted.append({ column, item->data(SuggestionRole).toString() });
        }
        for (const auto &cell : adopted)
            setCellText(table, row, cell.first, cell.second);
    }
}

QList<int> selectedRowsOrCurrent(const QTableWidget *table)
{
    QSet<int> rows;
    for (const QModelIndex &index : table->selectionModel()->selectedIndexes())
        rows.insert(index.row());
    QList<int> sorted = rows.values();
    std::sort(sorted.begin(), sorted.end());
    if (sorted.isEmpty() && table->currentRow() >= 0)
        sorted.append(table->currentRow());
    return sorted;
}

void keepRowMarkersNumbered(QTableWidget *table)
{
    // Rows before the change keep their numbers, so adding at the end renumbers nothing. Each marker
    // is taken out while its text changes: the table looks a header item it holds up among all the
    // others on every change, which over a long table would cost more than the renumbering itself.
    const auto renumberFrom = [table](int first) {
        for (int row = first; row < table->rowCount(); ++row) {
            if (!table->verticalHeaderItem(row))
                continue;
            QTableWidgetItem *header = table->takeVerticalHeaderItem(row);
            header->setText(rowNumber(row, !header->toolTip().isEmpty()));
            table->setVerticalHeaderItem(row, header);
        }
    };
    QAbstractItemModel *model = table->model();
    QObject::connect(model, &QAbstractItemModel::rowsInserted, table,
                     [renumberFrom](const QModelIndex &, int, int last) { renumberFrom(last + 1); });
    QObject::connect(model, &QAbstractItemModel::rowsRemoved, table,
                     [renumberFrom](const QModelIndex &, int first, int) { renumberFrom(first); });
}

void hideStaleRowTips(QTableWidget *table)
{
    QHeaderView *header = table->verticalHeader();
    header->viewport()->installEventFilter(new StaleTipHider(header));
}
