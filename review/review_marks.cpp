// The marks are drawn from the row's state, which the window's owner of the rows keeps: the items
// only show them (tint and tool tip), so they travel with the items when columns move and are drawn
// anew whenever the row changes.
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

// Half transparent, so that they read on the light and the dark palette alike.
QBrush checkTint()
{
    return QBrush(QColor(230, 60, 60, 80));
}

QBrush suggestionTint()
{
    return QBrush(QColor(240, 170, 0, 80));
}

void markItem(QTableWidgetItem *item, const QVector<ReviewNote> &notes, int column)
{
    QStringList lines;
    bool check = false;
    for (const ReviewNote &note : notes) {
        if (note.field != column)
            continue;
        lines.append(note.text);
        if (note.kind == ReviewNote::Kind::Check)
            check = true;
    }
    item->setData(Qt::ToolTipRole, lines.isEmpty() ? QVariant() : QVariant(lines.join(QLatin1Char('\n'))));
    item->setData(Qt::BackgroundRole,
                  lines.isEmpty() ? QVariant() : QVariant(check ? checkTint() : suggestionTint()));
}

QString rowNumber(int row, bool marked)
{
    return QString::number(row + 1) + (marked ? QStringLiteral(" •") : QString());
}

// The marker shows the tokens still left over.
void markRow(QTableWidget *table, int row, const QStringList &shown)
{
    if (shown.isEmpty()) {
        delete table->takeVerticalHeaderItem(row);
        return;
    }
    // Changed while out of the table, which would otherwise look it up among all the rows' markers
    // at each change (see keepRowMarkersNumbered).
    QTableWidgetItem *header = table->takeVerticalHeaderItem(row);
    if (!header)
        header = new QTableWidgetItem;
    header->setText(rowNumber(row, true));
    header->setToolTip(QStringLiteral("未分拣：") + shown.join(QStringLiteral("、")));
    table->setVerticalHeaderItem(row, header);
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

void showTableRow(QTableWidget *table, int row, const TableRow &state)
{
    // Each item is out of the table while it changes, so the table hears of it once; its marks go on
    // before it goes in, so the table never shows an unreviewed cell.
    for (int column = 0; column < table->columnCount(); ++column) {
        QTableWidgetItem *item = table->takeItem(row, column);
        if (!item)
            item = new QTableWidgetItem;
        item->setText(state.cells.value(column));
        markItem(item, state.notes, column);
        table->setItem(row, column, item);
    }
    markRow(table, row, state.shownLeftover);
}

void writeReviewedRow(QTableWidget *table, int row, const RecordReview &review)
{
    showTableRow(table, row, classifiedRow(QString(), review));
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

void addReviewActions(QMenu *menu, QTableWidget *table, int row, int column, const TableRow &state)
{
    if (row < 0 || column < 0)
        return;
    QStringList texts;
    QStringList values;
    const QVariant suggestion = state.suggestion(column);
    if (suggestion.isValid()) {
        texts.append(menuText(QStringLiteral("采纳建议："), suggestion.toString()));
        values.append(suggestion.toString());
    }
    for (const QString &candidate : state.candidates(column)) {
        texts.append(menuText(QStringLiteral("候选："), candidate));
        values.append(candidate);
    }
    for (const QString &token : state.shownLeftover) {
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
