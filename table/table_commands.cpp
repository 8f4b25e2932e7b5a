// The window's side of the record table's owner: every change made in the owner, shown in the view
// and kept on disk; the undo stack and its 撤销 and 重做 entries; the kept table restored at start-up.
#include "app/quorbel.h"

#include "review/review_marks.h"
#include "table/kept_table.h"
#include "table/table_steps.h"
#include "workspace/workspace.h"

#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLockFile>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTextEdit>
#include <QUndoStack>

namespace {

constexpr int kUndoSteps = 100;

// Runs of neighbouring positions as (first, count), in the order given.
QList<QPair<int, int>> runsOf(const QList<int> &positions)
{
    QList<QPair<int, int>> runs;
    for (const int position : positions) {
        if (!runs.isEmpty() && runs.last().first + runs.last().second == position)
            ++runs.last().second;
        else
            runs.append({ position, 1 });
    }
    return runs;
}

bool isUndoKey(const QKeyEvent *key)
{
    const QKeySequence pressed(int(key->modifiers()) | key->key());
    return key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo)
        || pressed == QKeySequence(QStringLiteral("Ctrl+Y"))
        || pressed == QKeySequence(QStringLiteral("Ctrl+Shift+Z"));
}

// In a text box (the input box, the pattern box, a cell being edited) the undo keys are the box's
// own. Qt's boxes claim only the keys their platform binds to undo and redo; the window's 重做 also
// answers to Ctrl+Y and Ctrl+Shift+Z on every platform (a GNOME desktop binds only the second), so
// the box is given those too before the window can take them.
class TextBoxUndoKeys final : public QObject
{
public:
    explicit TextBoxUndoKeys(QWidget *window)
        : QObject(window)
        , m_window(window)
    { }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::ShortcutOverride)
            return false;
        auto *widget = qobject_cast<QWidget *>(watched);
        if (!widget || widget->window() != m_window
            || !(qobject_cast<QLineEdit *>(widget) || qobject_cast<QPlainTextEdit *>(widget)
                 || qobject_cast<QTextEdit *>(widget)))
            return false;
        if (isUndoKey(static_cast<QKeyEvent *>(event)))
            event->accept();
        return false;
    }

private:
    QWidget *m_window;
};

} // namespace

void Quorbel::wireUndo()
{
    undoStack = new QUndoStack(this);
    undoStack->setUndoLimit(kUndoSteps);

    auto *undo = new QAction(QStringLiteral("撤销"), this);
    undo->setObjectName(QStringLiteral("undoAction"));
    undo->setShortcut(QKeySequence(QStringLiteral("Ctrl+Z")));
    undo->setEnabled(false);
    auto *redo = new QAction(QStringLiteral("重做"), this);
    redo->setObjectName(QStringLiteral("redoAction"));
    redo->setShortcuts(
        { QKeySequence(QStringLiteral("Ctrl+Y")), QKeySequence(QStringLiteral("Ctrl+Shift+Z")) });
    redo->setEnabled(false);
    const QList<QAction *> entries = ui.menu_2->actions();
    ui.menu_2->insertAction(entries.value(0), undo);
    ui.menu_2->insertAction(entries.value(0), redo);
    ui.menu_2->insertSeparator(entries.value(0));

    connect(undoStack, &QUndoStack::canUndoChanged, undo, &QAction::setEnabled);
    connect(undoStack, &QUndoStack::canRedoChanged, redo, &QAction::setEnabled);
    connect(undoStack, &QUndoStack::undoTextChanged, undo, [undo](const QString &text) {
        undo->setText(text.isEmpty() ? QStringLiteral("撤销") : QStringLiteral("撤销 ") + text);
    });
    connect(undoStack, &QUndoStack::redoTextChanged, redo, [redo](const QString &text) {
        redo->setText(text.isEmpty() ? QStringLiteral("重做") : QStringLiteral("重做 ") + text);
    });
    connect(undo, &QAction::triggered, undoStack, &QUndoStack::undo);
    connect(redo, &QAction::triggered, undoStack, &QUndoStack::redo);
    qApp->installEventFilter(new TextBoxUndoKeys(this));
}

void Quorbel::applyTableChange(TableChange *change)
{
    recordTable.apply(change);
    QTableWidget *table = ui.tableWidget;
    showingRows = true;
    switch (change->kind) {
    case TableChange::Kind::Insert:
        for (const auto &run : runsOf(change->positions)) {
            table->model()->insertRows(run.first, run.second);
            for (int row = run.first; row < run.first + run.second; ++row)
                showTableRow(table, row, recordTable.at(row));
        }
        break;
    case TableChange::Kind::Remove: {
        const QList<QPair<int, int>> runs = runsOf(change->positions);
        for (int i = runs.size() - 1; i >= 0; --i)
            table->model()->removeRows(runs.at(i).first, runs.at(i).second);
        break;
    }
    case TableChange::Kind::Replace:
        for (const int row : qAsConst(change->positions))
            showTableRow(table, row, recordTable.at(row));
        break;
    case TableChange::Kind::Columns:
    case TableChange::Kind::Reset:
        table->setRowCount(recordTable.size());
        for (int row = 0; row < recordTable.size(); ++row)
            showTableRow(table, row, recordTable.at(row));
        break;
    }
    showingRows = false;
    keepTable(*change);
}

void Quorbel::pushTableStep(const QString &text, const TableChange &change,
                            const std::function<void()> &placeCursor)
{
    auto *step = new TableStep(
        text, change, [this](TableChange *c) { applyTableChange(c); }, ui.tableWidget);
    undoStack->push(step);
    if (placeCursor)
        placeCursor();
    // The limit may have dropped the oldest step, never the one just pushed.
    step->rememberCursor();
}

void Quorbel::tableColumnsChanged(const QVector<int> &fromOld)
{
    TableChange change;
    change.kind = TableChange::Kind::Columns;
    change.columns = fromOld;
    recordTable.apply(&change);
    for (int i = 0; i < undoStack->count(); ++i) {
        // Only table steps are ever pushed.
        auto *step = static_cast<TableStep *>(const_cast<QUndoCommand *>(undoStack->command(i)));
        step->remapColumns(fromOld);
    }
    if (keptTable)
        keptTable->keepColumns(fromOld, catalogue.names(), recordTable);
}

void Quorbel::tableColumnsRenamed()
{
    if (!keptTable)
        return;
    QVector<int> same;
    for (int column = 0; column < catalogue.size(); ++column)
        same.append(column);
    keptTable->keepColumns(same, catalogue.names(), recordTable);
}

void Quorbel::keepTable(const TableChange &change)
{
    if (!keptTable)
        return;
    // Cleared: the ID and phone numbers leave the disk with the rows.
    const bool ok = recordTable.isEmpty() ? keptTable->discard()
                                          : keptTable->keep(change, catalogue.names(), recordTable);
    if (!ok)
        statusBar()->showMessage(QStringLiteral("表格未能保存到数据目录：") + keptTable->errorString());
}

void Quorbel::startKeepingTable()
{
    const QString dataDir = workspace->dataDir;
    tableLock.reset(new QLockFile(dataDir + QStringLiteral("table.lock")));
    // A window that holds the lock lives as long as it likes; a killed one is found out by its process id.
    tableLock->setStaleLockTime(0);
    if (!tableLock->tryLock(0)) {
        tableLock.reset();
        auto *note =
            new QLabel(QStringLiteral("数据目录正被另一个窗口使用，本窗口的表格只保存在内存中"), statusBar());
        note->setObjectName(QStringLiteral("tableNotKept"));
        statusBar()->addPermanentWidget(note);
        return;
    }
    keptTable.reset(new KeptTable(dataDir + QStringLiteral("table.journal")));
    // A snapshot a kill interrupted holds people's details too.
    KeptTable::removeLeftovers(keptTable->path());

    KeptState state;
    QString error;
    switch (KeptTable::read(keptTable->path(), &state, &error)) {
    case KeptTable::ReadResult::Missing:
        return;
    case KeptTable::ReadResult::Unreadable: {
        const QString aside = KeptTable::setAside(keptTable->path());
        statusBar()->showMessage(aside.isEmpty() ? QStringLiteral("上次保存的表格无法读取（%1）").arg(error)
                                                 : QStringLiteral("上次保存的表格无法读取（%1），已另存为 %2")
                                                       .arg(error, QDir::toNativeSeparators(aside)));
        return;
    }
    case KeptTable::ReadResult::Read:
        break;
    }
    if (state.rows.isEmpty()) {
        keptTable->discard();
        return;
    }
    // The cells go back under the fields of the same name; the review is worked out anew.
    const QStringList names = catalogue.names();
    QVector<int> fromOld;
    for (const QString &name : names)
        fromOld.append(state.fieldNames.indexOf(name));
    const QList<FieldDef> fields = catalogue.fields();
    TableChange restore;
    restore.kind = TableChange::Kind::Reset;
    for (TableRow row : qAsConst(state.rows)) {
        remapColumns(&row, fromOld);
        reviewAgain(&row, fields);
        restore.rows.append(row);
    }
    applyTableChange(&restore);
    statusBar()->showMessage(QStringLiteral("上次未正常退出，已恢复 %1 行").arg(restore.rows.size()));
}

void Quorbel::stopKeepingTable()
{
    if (keptTable)
        keptTable->discard();
}

QStringList Quorbel::records() const
{
    return recordTable.texts();
}
