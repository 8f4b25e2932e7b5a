// The record table's undo stack, step by step back to an empty table and forward again, and the table
// kept in the data directory: restored after an abnormal end, gone after a normal one.
#include "app/quorbel.h"
#include "fields/field_file.h"
#include "gui_test_helpers.h"
#include "review/duplicate_marks.h"
#include "review/review_marks.h"
#include "tests/test_files.h"

#include <QUndoStack>
#include <QtTest>
#include <QtWidgets>

#include <functional>

namespace {

const QList<FieldDef> kFields { { QStringLiteral("姓名"), QStringLiteral("^[^\\x00-\\xff]{2,4}$") },
                                { QStringLiteral("性别"), QStringLiteral("[01男女]") },
                                { QStringLiteral("手机号"), QStringLiteral("^1\\d{10}$") } };

QString keptPath()
{
    return GuiTest::dataDir() + QStringLiteral("table.journal");
}

QString flags(const QList<bool> &values)
{
    QString text;
    for (const bool value : values)
        text += value ? QLatin1Char('1') : QLatin1Char('0');
    return text;
}

// Everything a step must bring back: the owner's rows, what the table shows of them (cells, marks,
// duplicate marks, row markers), the current cell and the selection.
QStringList everything(Quorbel *window)
{
    auto *table = window->findChild<QTableWidget *>(QStringLiteral("tableWidget"));
    DuplicateMarks *marks = duplicateMarks(table);
    QStringList lines;
    for (const TableRow &row : window->table().rows()) {
        QStringList notes;
        for (const ReviewNote &note : row.notes)
            notes << QString::number(note.field) + note.text;
        lines << QStringList { row.text,
                               row.cells.join(QLatin1Char(',')),
                               flags(row.labelled),
                               flags(row.edited),
                               row.leftover.join(QLatin1Char(',')),
                               row.shownLeftover.join(QLatin1Char(',')),
                               notes.join(QLatin1Char(',')) }
                     .join(QLatin1Char('|'));
    }
    for (int r = 0; r < table->rowCount(); ++r) {
        QStringList cells { table->model()->headerData(r, Qt::Vertical).toString(),
                            table->model()->headerData(r, Qt::Vertical, Qt::ToolTipRole).toString() };
        for (int c = 0; c < table->columnCount(); ++c) {
            const QTableWidgetItem *item = table->item(r, c);
            cells << (item ? item->text() + QLatin1Char('/') + item->toolTip() : QStringLiteral("<none>"))
                    + QLatin1Char('/') + marks->markText(r, c);
        }
        lines << cells.join(QLatin1Char('|'));
    }
    QStringList ranges;
    for (const QTableWidgetSelectionRange &range : table->selectedRanges())
        ranges << QStringLiteral("%1,%2-%3,%4")
                      .arg(range.topRow())
                      .arg(range.leftColumn())
                      .arg(range.bottomRow())
                      .arg(range.rightColumn());
    lines << QStringLiteral("current %1,%2 selected %3")
                 .arg(table->currentRow())
                 .arg(table->currentColumn())
                 .arg(ranges.join(QLatin1Char(' ')));
    return lines;
}

} // namespace

class TestTableSteps : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void everyStepUndoneAndRedone();
    void hundredStepsKept();
    void keptTableRestoredAfterAbnormalEnd();
    void unreadableKeptTableSetAside();

private:
    Quorbel *create();
    QTableWidget *table() const { return m_window->findChild<QTableWidget *>(QStringLiteral("tableWidget")); }
    QAction *action(const char *name) const
    {
        return m_window->findChild<QAction *>(QString::fromLatin1(name));
    }
    void enter(const QString &text, const char *button = "inputButton");

    QScopedPointer<Quorbel> m_window;
};

void TestTableSteps::init()
{
    GuiTest::removeDataDir();
    QVERIFY(QDir().mkpath(GuiTest::dataDir()));
    QVERIFY(TestFiles::putBytes(GuiTest::dataDir() + QStringLiteral("fields.txt"),
                                fieldsToText(kFields).toUtf8()));
}

void TestTableSteps::cleanup()
{
    m_window.reset();
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
    GuiTest::removeDataDir();
}

Quorbel *TestTableSteps::create()
{
    m_window.reset(new Quorbel);
    return m_window.data();
}

void TestTableSteps::enter(const QString &text, const char *button)
{
    m_window->findChild<QPlainTextEdit *>(QStringLiteral("inputEdit"))->setPlainText(text);
    m_window->findChild<QPushButton *>(QString::fromLatin1(button))->click();
}

void TestTableSteps::everyStepUndoneAndRedone()
{
    create();
    QTableWidget *rows = table();
    const auto batch = [this](int at, const QStringList &texts, const QString &stepText) {
        QList<RecordReview> reviews;
        for (const QString &text : texts)
            reviews.append(reviewText(text, kFields));
        m_window->addRecords(at, texts, reviews, stepText);
    };
    const auto select = [rows](const QList<int> &picked) {
        rows->clearSelection();
        for (const int row : picked)
            rows->selectionModel()->select(rows->model()->index(row, 1), QItemSelectionModel::Select);
    };
    struct Step
    {
        QString text; // what 撤销 names
        std::function<void()> prepare; // moves the cursor or the selection: not a step, undo goes back here
        std::function<void()> run;
    };
    const auto none = [] {};
    // clang-format off
    const QList<Step> steps = {
        { "添加", none, [this] { enter(QStringLiteral("张三 男 13800138000")); } },
        { "识别剪贴板", none, [this] {
              QGuiApplication::clipboard()->setText(QStringLiteral("性别女 李四 13900139000 备注"));
              m_window->findChild<QPushButton *>(QStringLiteral("pasteButton"))->click(); } },
        { "插入", [rows] { rows->setCurrentCell(0, 2); },
          [this] { enter(QStringLiteral("王五 男 13800138000"), "insertButton"); } },
        { "批量添加 3 条", none, [batch] { batch(-1, { "赵六 女", "孙七 ??? 男", "周八 13700137000" }, QString()); } },
        { "导入文本文件 2 条", none, [batch] { batch(1, { "吴九 男", "郑十 女 13800138000" }, "导入文本文件 2 条"); } },
        { "编辑单元格", none, [rows] { rows->item(1, 0)->setText(QStringLiteral("改名")); } },
        { "采纳建议", [select] { select({ 4 }); }, [this] { action("adoptSelectedAction")->trigger(); } },
        { "删除 2 行", [select] { select({ 0, 5 }); }, [this] { action("deleteRowsAction")->trigger(); } },
        { "重新分拣", none, [this] {
              GuiTest::BoxAnswerer yes(QMessageBox::Yes);
              m_window->findChild<QPushButton *>(QStringLiteral("resortButton"))->click(); } },
        { "采纳建议", none, [this] { action("adoptAllAction")->trigger(); } },
        { "编辑单元格", none, [this, rows] {
              // A token from the cell menu is a hand edit too.
              int row = 0;
              while (m_window->table().at(row).shownLeftover.isEmpty())
                  ++row;
              QMenu menu;
              addReviewActions(&menu, rows, row, 0, m_window->table().at(row));
              menu.actions().last()->trigger(); } },
        { "清空表格", none, [this] {
              GuiTest::BoxAnswerer discard(QMessageBox::Discard);
              action("clearTableAction")->trigger(); } },
    };
    // clang-format on

    QAction *undo = action("undoAction");
    QAction *redo = action("redoAction");
    QCOMPARE(undo->text(), QStringLiteral("撤销"));
    QVERIFY(!undo->isEnabled() && !redo->isEnabled());
    QList<QStringList> before; // as each step found the table
    QList<QStringList> after;
    for (const Step &step : steps) {
        step.prepare();
        before << everything(m_window.data());
        step.run();
        QCOMPARE(undo->text(), QStringLiteral("撤销 ") + step.text);
        after << everything(m_window.data());
        QVERIFY2(before.last() != after.last(), qPrintable(step.text));
    }
    QCOMPARE(m_window->undoSteps()->count(), steps.size());
    for (int i = steps.size() - 1; i >= 0; --i) {
        undo->trigger();
        QCOMPARE(redo->text(), QStringLiteral("重做 ") + steps.at(i).text);
        QCOMPARE(everything(m_window.data()), before.at(i));
    }
    QVERIFY(!undo->isEnabled());
    QCOMPARE(rows->rowCount(), 0);
    for (int i = 0; i < steps.size(); ++i) {
        redo->trigger();
        QCOMPARE(everything(m_window.data()), after.at(i));
    }
    QVERIFY(!redo->isEnabled());
    // A new step after an undo drops what could have been redone.
    undo->trigger();
    enter(QStringLiteral("钱一 男"));
    QVERIFY(!redo->isEnabled());
}

void TestTableSteps::hundredStepsKept()
{
    create();
    for (int n = 0; n < 105; ++n)
        enter(QStringLiteral("张三 %1").arg(n));
    int undone = 0;
    while (m_window->undoSteps()->canUndo()) {
        m_window->undoSteps()->undo();
        ++undone;
    }
    QCOMPARE(undone, 100);
    QCOMPARE(m_window->records(), QStringList({ "张三 0", "张三 1", "张三 2", "张三 3", "张三 4" }));
}

void TestTableSteps::keptTableRestoredAfterAbnormalEnd()
{
    create();
    enter(QStringLiteral("张三 男 13800138000"));
    enter(QStringLiteral("性别女 李四 13900139000"));
    table()->item(1, 2)->setText(QStringLiteral("13900000000"));
    const QStringList before = everything(m_window.data());
    const QList<QStringList> cells = m_window->tableRows();
    QVERIFY(QFile::exists(keptPath()));

    // A second window on the same folder keeps its table in memory only, and says so.
    const QByteArray kept = TestFiles::bytesOf(keptPath());
    {
        Quorbel other;
        const auto *note = other.findChild<QLabel *>(QStringLiteral("tableNotKept"));
        QVERIFY(note);
        QCOMPARE(note->text(), QStringLiteral("数据目录正被另一个窗口使用，本窗口的表格只保存在内存中"));
        other.findChild<QPlainTextEdit *>(QStringLiteral("inputEdit"))->setPlainText(QStringLiteral("王五"));
        other.slotInputButtonClicked();
        QCOMPARE(other.records().size(), 1);
    }
    QCOMPARE(TestFiles::bytesOf(keptPath()), kept);

    // A normal end deletes the kept table; a kill would have left it, and the next start restores it.
    m_window.reset();
    QVERIFY(!QFile::exists(keptPath()));
    QVERIFY(TestFiles::putBytes(keptPath(), kept));
    create();
    QCOMPARE(m_window->statusBar()->currentMessage(), QStringLiteral("上次未正常退出，已恢复 2 行"));
    QCOMPARE(m_window->tableRows(), cells);
    QCOMPARE(m_window->table().at(1).edited, QList<bool>({ false, false, true }));
    table()->setCurrentItem(nullptr);
    table()->clearSelection();
    QCOMPARE(everything(m_window.data()).mid(0, 4), before.mid(0, 4));
    QCOMPARE(m_window->unsavedRowCount(), 2);
    QVERIFY(!m_window->undoSteps()->canUndo());

    // 清空表格 takes the kept table with the rows; undoing it keeps them again; closing deletes it.
    {
        GuiTest::BoxAnswerer discard(QMessageBox::Discard);
        action("clearTableAction")->trigger();
    }
    QVERIFY(!QFile::exists(keptPath()));
    action("undoAction")->trigger();
    QVERIFY(QFile::exists(keptPath()));
    m_window->show();
    {
        GuiTest::BoxAnswerer close(QMessageBox::Close);
        QVERIFY(m_window->close());
    }
    QVERIFY(!QFile::exists(keptPath()));
}

void TestTableSteps::unreadableKeptTableSetAside()
{
    QVERIFY(TestFiles::putBytes(keptPath(), "<field><name>姓名</name></field>"));
    // Snapshots a kill interrupted hold people's details: they go at start-up.
    QVERIFY(TestFiles::putBytes(keptPath() + QStringLiteral(".new"), "QRBT"));
    QVERIFY(TestFiles::putBytes(keptPath() + QStringLiteral(".aBcDeF"), "QRBT"));
    create();
    QVERIFY(!QFile::exists(keptPath() + QStringLiteral(".new")));
    QVERIFY(!QFile::exists(keptPath() + QStringLiteral(".aBcDeF")));
    QVERIFY(m_window->statusBar()->currentMessage().startsWith(QStringLiteral("上次保存的表格无法读取")));
    QCOMPARE(m_window->table().size(), 0);
    const QStringList aside =
        QDir(GuiTest::dataDir()).entryList({ QStringLiteral("table.journal.unreadable-*") });
    QCOMPARE(aside.size(), 1);
    // Said once: the next start finds nothing.
    m_window.reset();
    create();
    QVERIFY(m_window->statusBar()->currentMessage().isEmpty());
}

QTEST_MAIN(TestTableSteps)
#include "tst_table_steps.moc"
