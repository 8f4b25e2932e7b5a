// Adding, inserting, re-sorting and copying records through the real widgets.
#include "app/quorbel.h"
#include "fields/field_file.h"
#include "gui_test_helpers.h"
#include "review/review_marks.h"
#include "tests/test_files.h"

#include <QtTest>
#include <QtWidgets>

namespace {

const FieldDef kName { QStringLiteral("姓名"), QStringLiteral("^[^\\x00-\\xff]{2,4}$") };
const FieldDef kGender { QStringLiteral("性别"), QStringLiteral("[01男女]") };
const FieldDef kAge { QStringLiteral("年龄"), QStringLiteral("^\\d{1,2}$") };
const FieldDef kMobile { QStringLiteral("手机号"), QStringLiteral("^1\\d{10}$") };
const QString kPerson = QStringLiteral("张三 男 20 13812345678");
const QString kOther = QStringLiteral("李四，女，19\n13900001111");

bool putFieldFile(const QList<FieldDef> &fields)
{
    return TestFiles::putBytes(GuiTest::dataDir() + QStringLiteral("fields.txt"),
                               fieldsToText(fields).toUtf8());
}

} // namespace

class TestRecordCommands : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void addTakesTheWholeText();
    void addIgnoresEmptyBox();
    void addWithoutFields();
    void insertAboveCurrentRow();
    void insertNeedsCurrentCell();
    void pasteFromClipboard();
    void resortAsksFirst();
    void resortRestoresAndRefills();
    void resortFollowsFieldChanges();
    void resortCancelledKeepsRows();
    void copyAsSpreadsheetText();
    void copyWithoutFieldsOrRecords();
    void copyLongNumberNote();
    void copyKeepsLongNumbersAsText();
    void deleteRowsAndUndo();
    void closeGuardClearAndExport();
    void reviewMarksAndSuggestions();

private:
    void create(const QList<FieldDef> &fields);
    void type(const QString &text);
    void click(const char *button);
    QStringList row(int r) const;
    GuiTest::BoxSeen copy();
    QString closeQuestion(QMessageBox::StandardButton answer, bool expectClosed);
    QStringList menuEntryNames(bool chooseLast = false);
    QString rowHeaderTip(int row);

    QScopedPointer<Quorbel> m_window;
    QTableWidget *m_table = nullptr;
    QPlainTextEdit *m_input = nullptr;
};

void TestRecordCommands::init()
{
    GuiTest::removeDataDir();
}

void TestRecordCommands::cleanup()
{
    m_window.reset();
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
    GuiTest::removeDataDir();
}

void TestRecordCommands::create(const QList<FieldDef> &fields)
{
    QVERIFY(putFieldFile(fields));
    m_window.reset(new Quorbel);
    m_table = m_window->findChild<QTableWidget *>(QStringLiteral("tableWidget"));
    m_input = m_window->findChild<QPlainTextEdit *>(QStringLiteral("inputEdit"));
    QCOMPARE(m_table->columnCount(), fields.size());
}

void TestRecordCommands::type(const QString &text)
{
    m_input->setPlainText(text);
}

void TestRecordCommands::click(const char *button)
{
    m_window->findChild<QPushButton *>(QString::fromLatin1(button))->click();
}

QStringList TestRecordCommands::row(int r) const
{
    QStringList cells;
    for (int c = 0; c < m_table->columnCount(); ++c) {
        const QTableWidgetItem *item = m_table->item(r, c);
        cells << (item ? item->text() : QStringLiteral("<none>"));
    }
    return cells;
}

GuiTest::BoxSeen TestRecordCommands::copy()
{
    GuiTest::BoxAnswerer answerer(QMessageBox::Ok);
    click("copyExcelButton");
    return answerer.boxes.size() == 1 ? answerer.first() : GuiTest::BoxSeen();
}

void TestRecordCommands::addTakesTheWholeText()
{
    create({ kName, kGender, kAge, kMobile });
    type(kPerson);
    click("inputButton");
    QCOMPARE(m_table->rowCount(), 1);
    QCOMPARE(row(0), QStringList({ "张三", "男", "20", "13812345678" }));
    QVERIFY(m_input->toPlainText().isEmpty());
    QCOMPARE(m_table->currentRow(), 0);
    QCOMPARE(m_table->currentColumn(), 0);

    // Blanks and line breaks are a record too: a row of empty cells, its text kept as typed.
    type(QStringLiteral("  \n\n\u3000"));
    click("inputButton");
    QCOMPARE(row(1), QStringList({ "", "", "", "" }));
    QCOMPARE(m_window->records(), QStringList({ kPerson, QStringLiteral("  \n\n\u3000") }));
    QCOMPARE(m_table->currentRow(), 1);

    // The same text again is simply another record.
    type(kPerson);
    click("inputButton");
    QCOMPARE(row(2), row(0));
    QCOMPARE(m_window->records().size(), m_table->rowCount());
}

void TestRecordCommands::addIgnoresEmptyBox()
{
    create({ kName });
    click("inputButton");
    click("insertButton");
    QCOMPARE(m_table->rowCount(), 0);
    QVERIFY(m_window->records().isEmpty());
}

void TestRecordCommands::addWithoutFields()
{
    create({});
    type(kPerson);
    click("inputButton");
    QCOMPARE(m_table->rowCount(), 1);
    QCOMPARE(m_table->columnCount(), 0);
    QCOMPARE(m_window->records(), QStringList { kPerson });
    QVERIFY(m_input->toPlainText().isEmpty());

    // No cell can be current, so insert never acts.
    type(kOther);
    click("insertButton");
    QCOMPARE(m_table->rowCount(), 1);
    QCOMPARE(m_input->toPlainText(), kOther);

    // Fields added later are filled by a re-sort.
    m_window->slotFieldItemAdd();
    m_window->slotFieldItemTextModified(0, QStringLiteral("手机号"));
    QCOMPARE(m_table->columnCount(), 1);
    QVERIFY(!m_table->item(0, 0));
    GuiTest::BoxAnswerer answerer(QMessageBox::Yes);
    click("resortButton");
    QCOMPARE(answerer.boxes.size(), 1);
    QCOMPARE(row(0), QStringList { "13812345678" });
}

void TestRecordCommands::insertAboveCurrentRow()
{
    create({ kName, kAge });
    type(QStringLiteral("张三 20"));
    click("inputButton");
    type(QStringLiteral("李四 30"));
    click("inputButton");

    m_table->setCurrentCell(0, 1);
    type(QStringLiteral("王五 40"));
    click("insertButton");
    QCOMPARE(m_table->rowCount(), 3);
    QCOMPARE(row(0), QStringList({ "王五", "40" }));
    QCOMPARE(row(1), QStringList({ "张三", "20" }));
    QCOMPARE(m_table->currentRow(), 0);
    QCOMPARE(m_table->currentColumn(), 0);

    m_table->setCurrentCell(2, 1);
    type(QStringLiteral("赵六 50"));
    click("insertButton");
    QCOMPARE(row(2), QStringList({ "赵六", "50" }));
    QCOMPARE(row(3), QStringList({ "李四", "30" }));
    QCOMPARE(m_window->records(), QStringList({ "王五 40", "张三 20", "赵六 50", "李四 30" }));
    QCOMPARE(m_table->currentRow(), 2);
    QVERIFY(m_input->toPlainText().isEmpty());
}

void TestRecordCommands::insertNeedsCurrentCell()
{
    create({ kName });
    type(QStringLiteral("张三"));
    click("insertButton"); // empty table
    QCOMPARE(m_table->rowCount(), 0);
    click("inputButton");
    m_table->setCurrentCell(-1, -1);
    type(QStringLiteral("李四"));
    click("insertButton");
    QCOMPARE(m_table->rowCount(), 1);
    QCOMPARE(m_input->toPlainText(), QStringLiteral("李四"));
}

void TestRecordCommands::pasteFromClipboard()
{
    create({ kName, kGender, kAge, kMobile });
    QGuiApplication::clipboard()->clear();
    type(QStringLiteral("typed by hand"));
    click("pasteButton");
    QCOMPARE(m_table->rowCount(), 0);
    QVERIFY(m_input->toPlainText().isEmpty());

    QGuiApplication::clipboard()->setText(kPerson);
    type(QStringLiteral("typed by hand"));
    click("pasteButton");
    QCOMPARE(m_window->records(), QStringList { kPerson });
    QCOMPARE(row(0), QStringList({ "张三", "男", "20", "13812345678" }));
    QVERIFY(m_input->toPlainText().isEmpty());
}

void TestRecordCommands::resortAsksFirst()
{
    create({ kName, kAge });
    {
        // Nothing to re-sort: no question at all.
        GuiTest::BoxAnswerer closer;
        click("resortButton");
        QTest::qWait(20);
        QCOMPARE(closer.closed, 0);
    }
    type(QStringLiteral("张三 20"));
    click("inputButton");
    m_table->item(0, 0)->setText(QStringLiteral("改过"));

    const QList<QMessageBox::StandardButton> declines = { QMessageBox::Cancel, QMessageBox::NoButton };
    for (QMessageBox::StandardButton answer : declines) {
        GuiTest::BoxAnswerer answerer(answer);
        m_window->findChild<QAction *>(QStringLiteral("resortAction"))->trigger();
        QCOMPARE(answerer.boxes.size(), 1);
        const GuiTest::BoxSeen seen = answerer.first();
        QCOMPARE(seen.title, QStringLiteral("提示"));
        QCOMPARE(seen.text,
                 QStringLiteral("请确认全部重新分拣？\n之前所做的单元格修改（如果有的话）都将取消"));
        QCOMPARE(seen.icon, QMessageBox::Question);
        QCOMPARE(seen.buttons.size(), 2);
        QVERIFY(seen.buttons.contains(QMessageBox::Yes) && seen.buttons.contains(QMessageBox::Cancel));
        QCOMPARE(row(0), QStringList({ "改过", "20" }));
    }
}

void TestRecordCommands::resortRestoresAndRefills()
{
    create({ kName, kGender, kAge, kMobile });
    type(kPerson);
    click("inputButton");
    type(kOther);
    click("inputButton");
    m_table->item(0, 2)->setText(QStringLiteral("99"));
    m_table->setCurrentCell(1, 3);
    type(QStringLiteral("not yet added"));

    GuiTest::BoxAnswerer answerer(QMessageBox::Yes);
    click("resortButton");
    QCOMPARE(answerer.boxes.size(), 1);
    QCOMPARE(row(0), QStringList({ "张三", "男", "20", "13812345678" }));
    QCOMPARE(row(1), QStringList({ "李四", "女", "19", "13900001111" }));
    QCOMPARE(m_table->rowCount(), 2);
    QCOMPARE(m_table->currentRow(), 1);
    QCOMPARE(m_table->currentColumn(), 3);
    QCOMPARE(m_input->toPlainText(), QStringLiteral("not yet added"));
}

void TestRecordCommands::resortFollowsFieldChanges()
{
    // Two fields that fit the same token: the earlier one takes it.
    const FieldDef digits { QStringLiteral("数字"), QStringLiteral("^\\d+$") };
    create({ kAge, digits });
    type(QStringLiteral("20"));
    click("inputButton");
    QCOMPARE(row(0), QStringList({ "20", "" }));

    auto resort = [this] {
        GuiTest::BoxAnswerer answerer(QMessageBox::Yes);
        click("resortButton");
        QCOMPARE(answerer.boxes.size(), 1);
    };

    // After a move the other field comes first and wins the tie.
    m_window->moveField(1, 0);
    QCOMPARE(row(0), QStringList({ "", "20" }));
    resort();
    QCOMPARE(row(0), QStringList({ "20", "" }));
    QCOMPARE(m_table->horizontalHeaderItem(0)->text(), QStringLiteral("数字"));

    // A changed pattern moves the token to the other column.
    auto *list = m_window->findChild<QListWidget *>(QStringLiteral("fieldsList"));
    list->setCurrentRow(0);
    m_window->findChild<QLineEdit *>(QStringLiteral("patternEdit"))->setText(QStringLiteral("^x$"));
    resort();
    QCOMPARE(row(0), QStringList({ "", "20" }));
}

void TestRecordCommands::resortCancelledKeepsRows()
{
    // Distinct long tokens that "x+y" searches in quadratic time: slow enough for the progress dialog.
    create({ kName, { QStringLiteral("慢"), QString() } });
    for (int i = 0; i < 20; ++i) {
        type(QStringLiteral("张三 ") + QString(3000 + i, QLatin1Char('x')) + QStringLiteral("zy"));
        click("inputButton");
    }
    m_table->item(0, 0)->setText(QStringLiteral("改过"));
    m_window->findChild<QListWidget *>(QStringLiteral("fieldsList"))->setCurrentRow(1);
    m_window->findChild<QLineEdit *>(QStringLiteral("patternEdit"))->setText(QStringLiteral("x+y"));

    // The 取消 button, and Escape, which would otherwise only hide the dialog while the work goes on.
    for (const bool escape : { false, true }) {
        QStringList seen;
        QTimer answerer;
        QObject::connect(&answerer, &QTimer::timeout, [&seen, escape] {
            QWidget *modal = QApplication::activeModalWidget();
            if (auto *box = qobject_cast<QMessageBox *>(modal)) {
                box->button(QMessageBox::Yes)->click();
            } else if (auto *progress = qobject_cast<QProgressDialog *>(modal)) {
                auto *cancel = progress->findChild<QPushButton *>();
                seen << progress->findChild<QProgressBar *>()->text() << cancel->text();
                escape ? QTest::keyClick(progress, Qt::Key_Escape) : cancel->click();
            }
        });
        answerer.start(0);
        click("resortButton");
        QCOMPARE(seen.size(), 2);
        QVERIFY2(seen.at(0).endsWith(QStringLiteral("/20")), qPrintable(seen.at(0))); // records done/total
        QCOMPARE(seen.at(1), QStringLiteral("取消"));
        QCOMPARE(row(0), QStringList({ "改过", "" }));
        QCOMPARE(row(19), QStringList({ "张三", "" }));
    }
}

void TestRecordCommands::copyAsSpreadsheetText()
{
    create({ kName, kGender, kAge, kMobile });
    type(kPerson);
    click("inputButton");
    type(QStringLiteral("王五"));
    click("inputButton");
    m_table->item(1, 1)->setText(QStringLiteral("a\tb"));

    GuiTest::BoxSeen seen = copy();
    QVERIFY(seen.seen);
    QCOMPARE(QGuiApplication::clipboard()->text(),
             QStringLiteral("张三\t男\t20\t13812345678\n王五\ta\tb\t\t\n"));
    QCOMPARE(seen.title, QStringLiteral("复制为Excel"));
    QCOMPARE(seen.icon, QMessageBox::Information);
    QVERIFY(seen.text.startsWith(QStringLiteral("2行4列 复制完毕，请到Excel对应的位置粘贴")));

    // A column added after the records is copied as empty cells.
    m_window->slotFieldItemAdd();
    seen = copy();
    QCOMPARE(QGuiApplication::clipboard()->text(),
             QStringLiteral("张三\t男\t20\t13812345678\t\n王五\ta\tb\t\t\t\n"));
    QVERIFY(seen.text.startsWith(QStringLiteral("2行5列 ")));
}

void TestRecordCommands::copyWithoutFieldsOrRecords()
{
    create({});
    QGuiApplication::clipboard()->setText(QStringLiteral("old"));
    GuiTest::BoxSeen seen = copy();
    QCOMPARE(QGuiApplication::clipboard()->text(), QString());
    QCOMPARE(seen.text, QStringLiteral("0行0列 复制完毕，请到Excel对应的位置粘贴"));

    type(QStringLiteral("a"));
    click("inputButton");
    type(QStringLiteral("b"));
    click("inputButton");
    seen = copy();
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("\n\n"));
    QCOMPARE(seen.text, QStringLiteral("2行0列 复制完毕，请到Excel对应的位置粘贴"));
}

void TestRecordCommands::copyLongNumberNote()
{
    const QString note = QStringLiteral("\n\n检测到长数字字段，建议先将单元格格式设置为文本");
    create({ kName, kAge });
    GuiTest::BoxSeen seen = copy();
    QCOMPARE(seen.text, QStringLiteral("0行2列 复制完毕，请到Excel对应的位置粘贴"));

    m_window.reset();
    create({ kName, kAge, kMobile });
    seen = copy();
    QCOMPARE(seen.text, QStringLiteral("0行3列 复制完毕，请到Excel对应的位置粘贴") + note);
}

void TestRecordCommands::copyKeepsLongNumbersAsText()
{
    create({ kName, { QStringLiteral("身份证号"), QStringLiteral("^\\d{17}[\\dXx]$") } });
    type(QStringLiteral("张三 110101199003077578"));
    click("inputButton");
    copy();
    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    QCOMPARE(data->text(), QStringLiteral("张三\t110101199003077578\n"));
    QVERIFY(data->html().contains(QStringLiteral("<td>张三</td><td style='mso-number-format:\"\\@\"' "
                                                 "sdnum=\"1033;0;@\">110101199003077578</td>")));

    // Without such a cell the clipboard holds the text alone.
    m_table->item(0, 1)->setText(QStringLiteral("x"));
    copy();
    QCOMPARE(QGuiApplication::clipboard()->mimeData()->formats(), QStringList { "text/plain" });
}

void TestRecordCommands::deleteRowsAndUndo()
{
    create({ kName, kAge });
    for (const char *text : { "张三 20", "李四 30", "王五 40", "赵六 50" }) {
        type(QString::fromUtf8(text));
        click("inputButton");
    }
    m_table->item(1, 1)->setText(QStringLiteral("改过"));
    auto *undo = m_window->findChild<QAction *>(QStringLiteral("undoAction"));

    // Rows 1 and 3 by the Delete key, their texts with them; Ctrl+Z brings them back as shown.
    m_window->show();
    QApplication::setActiveWindow(m_window.data());
    QVERIFY(QTest::qWaitForWindowActive(m_window.data()));
    m_table->setFocus();
    m_table->setCurrentCell(1, 0);
    m_table->selectionModel()->select(m_table->model()->index(3, 1), QItemSelectionModel::Select);
    QTest::keyClick(m_table, Qt::Key_Delete);
    QCOMPARE(m_window->records(), QStringList({ "张三 20", "王五 40" }));
    QCOMPARE(row(1), QStringList({ "王五", "40" }));
    QCOMPARE(undo->text(), QStringLiteral("撤销 删除 2 行"));
    QTest::keyClick(m_table, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(m_window->records(), QStringList({ "张三 20", "李四 30", "王五 40", "赵六 50" }));
    QCOMPARE(row(1), QStringList({ "李四", "改过" }));
    QCOMPARE(undo->text(), QStringLiteral("撤销 编辑单元格"));
    // In the input box and the pattern box the keys are the box's own.
    m_input->setFocus();
    QTest::keyClicks(m_input, QStringLiteral("ab"));
    QTest::keyClick(m_input, Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(m_input, Qt::Key_Y, Qt::ControlModifier);
    auto *pattern = m_window->findChild<QLineEdit *>(QStringLiteral("patternEdit"));
    pattern->setFocus();
    QTest::keyClick(pattern, Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(pattern, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(m_window->records().size(), 4);
    QCOMPARE(row(1), QStringList({ "李四", "改过" }));
    QCOMPARE(undo->text(), QStringLiteral("撤销 编辑单元格"));
    QCOMPARE(m_window->findChild<QAction *>(QStringLiteral("redoAction"))->text(),
             QStringLiteral("重做 删除 2 行"));
    m_input->clear();
    m_table->setFocus();

    // The context menu holds the same entry, readable by a screen reader every time it opens; the
    // steps follow a field change, and the row comes back in its moved columns.
    m_table->clearSelection();
    m_table->setCurrentCell(0, 0);
    QStringList names;
    for (int shown = 0; shown < 3; ++shown)
        names << menuEntryNames(shown == 2);
    QCOMPARE(names, QStringList({ "删除行", "删除行", "删除行" }));
    QCOMPARE(m_window->records().first(), QStringLiteral("李四 30"));
    m_window->moveField(1, 0);
    undo->trigger();
    QCOMPARE(row(0), QStringList({ "20", "张三" }));
    QCOMPARE(m_window->records().size(), m_table->rowCount());
}

// Opens the cell menu at the table's top left corner and gives what a screen reader says of its entries;
// then closes it, or chooses its last entry as the keyboard does.
QStringList TestRecordCommands::menuEntryNames(bool chooseLast)
{
    QStringList names;
    QTimer poll;
    poll.setInterval(0);
    QObject::connect(&poll, &QTimer::timeout, [&names, chooseLast] {
        auto *popup = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        if (!popup)
            return;
        QAccessibleInterface *menu = QAccessible::queryAccessibleInterface(popup);
        for (int i = 0; i < menu->childCount(); ++i) {
            // A screen reader drops an entry that is no longer valid or that belongs to another menu.
            const QAccessibleInterface *entry = menu->child(i);
            const bool readable = entry->isValid() && entry->parent() && entry->parent()->object() == popup;
            names << (readable ? entry->text(QAccessible::Name) : QStringLiteral("<unreadable>"));
        }
        popup->setActiveAction(chooseLast ? popup->actions().last() : nullptr);
        QTest::keyClick(popup, chooseLast ? Qt::Key_Return : Qt::Key_Escape);
    });
    poll.start();
    m_window->slotTableItemMenu(QPoint(1, 1));
    return names;
}

// Asks the vertical header for a row's tip, as resting the pointer there does; the tip shown after.
QString TestRecordCommands::rowHeaderTip(int row)
{
    QHeaderView *header = m_table->verticalHeader();
    const QPoint pos(header->width() / 2,
                     header->sectionViewportPosition(row) + header->sectionSize(row) / 2);
    QHelpEvent event(QEvent::ToolTip, pos, header->viewport()->mapToGlobal(pos));
    QApplication::sendEvent(header->viewport(), &event);
    // Hiding may take a moment; a tip that stays is what the user saw for ten seconds.
    QTest::qWait(400);
    return QToolTip::isVisible() ? QToolTip::text() : QString();
}

QString TestRecordCommands::closeQuestion(QMessageBox::StandardButton answer, bool expectClosed)
{
    m_window->show();
    GuiTest::BoxAnswerer answerer(answer);
    const bool closed = m_window->close();
    const GuiTest::BoxSeen seen = answerer.first();
    if (closed != expectClosed || answerer.boxes.size() > 1 || (seen.seen && seen.buttons.size() != 2))
        return QStringLiteral("<unexpected>");
    return seen.text;
}

void TestRecordCommands::closeGuardClearAndExport()
{
    create({ kName, kAge });
    QCOMPARE(closeQuestion(QMessageBox::NoButton, true), QString()); // empty table
    type(QStringLiteral("张三 20"));
    click("inputButton");
    type(QStringLiteral("李四 30"));
    click("inputButton");
    QCOMPARE(closeQuestion(QMessageBox::Cancel, false), QStringLiteral("有 2 行尚未复制或导出，确定关闭？"));

    // Copied as it stands: no question; an edit or a deletion since asks again.
    copy();
    QCOMPARE(closeQuestion(QMessageBox::NoButton, true), QString());
    m_window->moveField(1, 0); // the same cells in other columns: nothing new
    QCOMPARE(closeQuestion(QMessageBox::NoButton, true), QString());
    m_window->moveField(1, 0);
    m_table->item(0, 1)->setText(QStringLiteral("21"));
    QCOMPARE(closeQuestion(QMessageBox::NoButton, false),
             QStringLiteral("有 1 行尚未复制或导出，确定关闭？"));
    m_table->item(0, 1)->setText(QStringLiteral("20"));
    m_table->selectionModel()->select(m_table->model()->index(1, 0), QItemSelectionModel::ClearAndSelect);
    m_window->deleteSelectedRows();
    QCOMPARE(closeQuestion(QMessageBox::Close, true), QStringLiteral("有 1 行尚未复制或导出，确定关闭？"));

    // Clearing asks the same way; an export counts as a copy, and a failed one says why.
    auto *clear = m_window->findChild<QAction *>(QStringLiteral("clearTableAction"));
    GuiTest::BoxAnswerer answerer(QMessageBox::Discard);
    clear->trigger();
    QCOMPARE(answerer.first().text, QStringLiteral("有 1 行尚未复制或导出，确定清空表格？"));
    QCOMPARE(m_table->rowCount() + m_window->records().size(), 0);
    m_window->findChild<QAction *>(QStringLiteral("undoAction"))->trigger();
    QTemporaryDir dir;
    QVERIFY(!m_window->exportTableTo(dir.filePath(QStringLiteral("no/a.csv")), ExportFormat::Csv));
    QVERIFY(m_window->exportTableTo(dir.filePath(QStringLiteral("a.csv")), ExportFormat::Csv));
    QCOMPARE(TestFiles::bytesOf(dir.filePath(QStringLiteral("a.csv"))),
             QByteArray("\xEF\xBB\xBF姓名,年龄\r\n张三,20\r\n"));
    clear->trigger();
    QCOMPARE(answerer.boxes.size(), 3); // no question before clearing the exported table
    QCOMPARE(answerer.boxes.at(1).icon, QMessageBox::Critical);
    QCOMPARE(answerer.boxes.at(2).text,
             QStringLiteral("1行2列 已导出到\n")
                 + QDir::toNativeSeparators(dir.filePath(QStringLiteral("a.csv"))));
    QCOMPARE(m_table->rowCount(), 0);
}

// A flagged cell shows why; the cell menu and 采纳建议 fill cells as hand edits; re-sort brings the marks
// back.
void TestRecordCommands::reviewMarksAndSuggestions()
{
    create({ kName, kGender });
    type(QStringLiteral("性别女 张三 备注"));
    click("inputButton");
    QCOMPARE(row(0), QStringList({ "", "性别女" }));
    const QTableWidgetItem *gender = m_table->item(0, 1);
    QCOMPARE(gender->toolTip(), QStringLiteral("含有标签“性别”\n建议：女（来自“性别女”）"));
    QVERIFY(gender->background().style() != Qt::NoBrush);
    QCOMPARE(m_table->item(0, 0)->toolTip(), QStringLiteral("建议：张三（常见姓氏）"));
    QCOMPARE(m_table->verticalHeaderItem(0)->toolTip(), QStringLiteral("未分拣：张三、备注"));
    QCOMPARE(
        m_window->statusBar()->currentMessage(),
        QStringLiteral(
            "姓名 建议：张三（常见姓氏）；性别 含有标签“性别” 建议：女（来自“性别女”）；未分拣：张三、备注"));

    // The marks travel with their items when a column moves.
    m_window->moveField(1, 0);
    QCOMPARE(m_table->item(0, 0)->toolTip(), QStringLiteral("含有标签“性别”\n建议：女（来自“性别女”）"));
    m_window->moveField(0, 1);
    // And come back with their row when its deletion is undone.
    m_table->setCurrentCell(0, 0);
    m_window->findChild<QAction *>(QStringLiteral("deleteRowsAction"))->trigger();
    m_window->findChild<QAction *>(QStringLiteral("undoAction"))->trigger();
    QCOMPARE(m_table->item(0, 1)->toolTip(), QStringLiteral("含有标签“性别”\n建议：女（来自“性别女”）"));
    QCOMPARE(m_table->verticalHeaderItem(0)->toolTip(), QStringLiteral("未分拣：张三、备注"));

    // The cell menu offers the row's left-over token; taking it is a hand edit, checked again.
    QMenu menu;
    addReviewActions(&menu, m_table, 0, 0, m_window->table().at(0));
    QStringList entries;
    for (const QAction *action : menu.actions())
        entries << action->text();
    QCOMPARE(entries, QStringList({ "采纳建议：张三", "未分拣：张三", "未分拣：备注" }));
    menu.actions().last()->trigger();
    QCOMPARE(m_table->item(0, 0)->text(), QStringLiteral("备注"));
    QCOMPARE(m_table->item(0, 0)->toolTip(), QStringLiteral("像是附言而非数据"));
    QCOMPARE(m_table->verticalHeaderItem(0)->toolTip(), QStringLiteral("未分拣：张三"));

    m_window->findChild<QAction *>(QStringLiteral("adoptAllAction"))->trigger();
    QCOMPARE(row(0), QStringList({ "备注", "女" }));
    QVERIFY(m_table->item(0, 1)->toolTip().isEmpty());
    QCOMPARE(m_table->item(0, 1)->background().style(), Qt::NoBrush);

    GuiTest::BoxAnswerer answerer(QMessageBox::Yes);
    click("resortButton");
    QCOMPARE(row(0), QStringList({ "", "性别女" }));
    QCOMPARE(m_table->item(0, 1)->toolTip(), QStringLiteral("含有标签“性别”\n建议：女（来自“性别女”）"));

    // The pointer on a row header shows that row's left-over tokens, and none at once on a row without.
    type(QStringLiteral("李四 女"));
    click("inputButton");
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.data()));
    QCOMPARE(rowHeaderTip(0), QStringLiteral("未分拣：张三、备注"));
    QCOMPARE(rowHeaderTip(1), QString());
}

QTEST_MAIN(TestRecordCommands)
#include "tst_record_commands.moc"
