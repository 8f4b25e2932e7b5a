// One step of the record table on the undo stack: the change, and where the current cell and the
// selection stood before and after it.
#pragma once

#include "table/record_table.h"

#include <QList>
#include <QTableWidgetSelectionRange>
#include <QUndoCommand>

#include <functional>

class QTableWidget;

struct TableCursor
{
    int row = -1;
    int column = -1;
    QList<QTableWidgetSelectionRange> selection;

    static TableCursor of(const QTableWidget *table);
    void restore(QTableWidget *table) const;
};

class TableStep final : public QUndoCommand
{
public:
    using Apply = std::function<void(TableChange *)>;

    // `apply` makes the change in the table's owner and in the view.
    TableStep(const QString &text, const TableChange &change, Apply apply, QTableWidget *table);
    ~TableStep() override;

    void redo() override;
    void undo() override;

    // Where the cursor stands once the command that pushed the step has placed it.
    void rememberCursor();
    // The fields changed: the rows this step holds follow, so undoing it later fits the table.
    void remapColumns(const QVector<int> &fromOld);
    const TableChange &change() const { return m_change; }

private:
    TableChange m_change;
    Apply m_apply;
    QTableWidget *m_table;
    TableCursor m_before;
    TableCursor m_after;
    bool m_afterKnown = false;
};
