// Batch add, text-file import and duplicate marks through the real window and its preview dialog.
#include "app/quorbel.h"
#include "fields/field_file.h"
#include "gui_test_helpers.h"
#include "review/duplicate_marks.h"
#include "tests/test_files.h"

#include <QtTest>
#include <QtWidgets>

#include <functional>

namespace {

const FieldDef kName { QStringLiteral("姓名"), QStringLiteral("^[^\\x00-\\xff]{2,4}$") };
const FieldDef kGender { QStringLiteral("性别"), QStringLiteral("[男女]") };
const FieldDef kMobile { QStringLiteral("手机号"), QStringLiteral("^1\\d{10}$") };

// What the preview said, read before it is answered.
struct PreviewSeen
{
    bool seen = false;
    QString source;
    QString reason;
    QString count;
    QString skip; // the skip box's text when it is offered
    QString add;
    int previewRows = -1;
};

// Answers the next batch preview: `act` may tick its boxes, then 添加 is pressed (or 取消 when
// `accept` is false).
class PreviewAnswerer
{
public:
    explicit PreviewAnswerer(bool accept = true, std::function<void(QDialog *)> act = nullptr)
    {
        m_timer.setInterval(0);
        QObject::connect(&m_timer, &QTimer::timeout, [this, accept, act] {
            auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            if (!dialog || dialog->objectName() != QStringLiteral("batchDialog") || seen.seen)
                return;
            seen.seen = true;
            seen.source = dialog->findChild<QLabel *>(QStringLiteral("batchSource"))->text();
            seen.reason = dialog->findChild<QLabel *>(QStringLiteral("splitReason"))->text();
            seen.count = dialog->findChild<QLabel *>(QStringLiteral("batchCount"))->text();
            auto *skip = dialog->findChild<QCheckBox *>(QStringLiteral("skipDuplicates"));
            seen.skip = skip->isVisibleTo(dialog) ? skip->text() : QString();
            seen.previewRows = dialog->findChild<QTableWidget *>(QStringLiteral("previewTable"))->rowCount();
            if (act)
                act(dialog);
            auto *add = dialog->findChild<QPushButton *>(QStringLiteral("addButton"));
            seen.add = add->text();
            accept ? add->click() : dialog->reject();
        });
        m_timer.start();
    }

    PreviewSeen seen;

private:
    QTimer m_timer;
};

QString tenRecords()
{
    QStringList people;
    for (int i = 0; i < 10; ++i)
        people.append(QStringLiteral("%1\n%2\n1380013800%3")
                          .arg(QStringLiteral("张三李四王五赵六孙七").mid(i % 5 * 2, 2),
                               i % 2 ? QStringLiteral("男") : QStringLiteral("女"))
                          .arg(i));
    return people.join(QStringLiteral("\n\n"));
}

} // namespace

class TestBatchCommands : public QObject
{
    Q_OBJECT

private slots:
    void init() { GuiTest::removeDataDir(); }
    void cleanup();

    void batchEqualsOneByOneAndUndoesWhole();
    void previewSkipsRepeatsAndInserts();
    void duplicateMarksFollowTheRows();
    void importRefusesAndDropAdds();
    void fileNamedOnCommandLine();
    void rowMarkersKeepTheirNumbers();

private:
    Quorbel *create();
    template<class T>
    T *child(Quorbel *window, const char *name) const
    {
        return window->findChild<T *>(QString::fromLatin1(name));
    }
    void trigger(const char *action) { child<QAction>(m_window.data(), action)->trigger(); }
    // Each text through the input box and a button: 添加 (inputButton) or 插入.
    void enter(Quorbel *window, const QStringList &texts, const char *button = "inputButton");
    QString tip(int row, int column);

    QScopedPointer<Quorbel> m_window;
    QScopedPointer<Quorbel> m_other;
    QTableWidget *m_table = nullptr;
    QTemporaryDir m_dir;
};

void TestBatchCommands::cleanup()
{
    m_window.reset();
    m_other.reset();
    m_table = nullptr; // the first window's
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
    GuiTest::removeDataDir();
}

Quorbel *TestBatchCommands::create()
{
    TestFiles::putBytes(GuiTest::dataDir() + QStringLiteral("fields.txt"),
                        fieldsToText({ kName, kGender, kMobile }).toUtf8());
    auto *window = new Quorbel;
    if (!m_table) // the first window's
        m_table = child<QTableWidget>(window, "tableWidget");
    return window;
}

void TestBatchCommands::enter(Quorbel *window, const QStringList &texts, const char *button)
{
    for (const QString &text : texts) {
        child<QPlainTextEdit>(window, "inputEdit")->setPlainText(text);
        child<QPushButton>(window, button)->click();
    }
}

QString TestBatchCommands::tip(int row, int column)
{
    DuplicateMarks *marks = duplicateMarks(m_table);
    return marks ? marks->toolTip(m_table->model()->index(row, column)) : QStringLiteral("<no marks>");
}

void TestBatchCommands::batchEqualsOneByOneAndUndoesWhole()
{
    m_window.reset(create());
    m_other.reset(create());
    const QString text = tenRecords();
    auto *input = child<QPlainTextEdit>(m_window.data(), "inputEdit");
    input->setPlainText(text);
    PreviewAnswerer answerer;
    trigger("batchAddAction");
    QCOMPARE(answerer.seen.reason, QStringLiteral("按空行分为 10 条"));
    QCOMPARE(answerer.seen.add, QStringLiteral("添加 10 条"));
    QCOMPARE(answerer.seen.previewRows, 10);
    QVERIFY(input->toPlainText().isEmpty());

    enter(m_other.data(), text.split(QStringLiteral("\n\n")));
    QCOMPARE(m_window->records(), m_other->records());
    QCOMPARE(m_window->tableRows(), m_other->tableRows());
    auto *otherTable = child<QTableWidget>(m_other.data(), "tableWidget");
    for (int row = 0; row < 10; ++row) {
        for (int column = 0; column < 3; ++column)
            QCOMPARE(m_table->item(row, column)->toolTip(), otherTable->item(row, column)->toolTip());
    }

    // The steps come off the undo stack in turn, the batch whole, and go back on by redo.
    enter(m_window.data(), { QStringLiteral("周八") }, "insertButton");
    auto *undo = child<QAction>(m_window.data(), "undoAction");
    QCOMPARE(undo->text(), QStringLiteral("撤销 插入"));
    trigger("undoAction");
    QCOMPARE(m_table->rowCount(), 10);
    QCOMPARE(undo->text(), QStringLiteral("撤销 批量添加 10 条"));
    trigger("undoAction");
    QCOMPARE(m_table->rowCount(), 0);
    QVERIFY(!undo->isEnabled());
    QCOMPARE(child<QAction>(m_window.data(), "redoAction")->text(), QStringLiteral("重做 批量添加 10 条"));
    trigger("redoAction");
    QCOMPARE(m_window->records(), m_other->records());
    QCOMPARE(m_window->tableRows(), m_other->tableRows());
}

void TestBatchCommands::previewSkipsRepeatsAndInserts()
{
    m_window.reset(create());
    enter(m_window.data(), { QStringLiteral("张三 13800138000"), QStringLiteral("李四 13900139000") });
    m_table->setCurrentCell(1, 0);
    // The clipboard, since the box is empty; one per line, with a repeat of the table and one within.
    QGuiApplication::clipboard()->setText(
        QStringLiteral("王五 13700137000\n赵六 13800138000\n孙七 13700137000 ???\n周八 男"));
    PreviewAnswerer answerer(true, [](QDialog *dialog) {
        dialog->findChild<QCheckBox *>(QStringLiteral("skipDuplicates"))->setChecked(true);
        dialog->findChild<QCheckBox *>(QStringLiteral("insertBefore"))->setChecked(true);
    });
    trigger("batchAddAction");
    QCOMPARE(answerer.seen.reason,
             QStringLiteral("每行一条，共 4 条（没有空行，多数行含两项以上可识别的信息）"));
    QCOMPARE(answerer.seen.count, QStringLiteral("共 4 条，其中 1 条有待核对"));
    QCOMPARE(answerer.seen.skip, QStringLiteral("跳过重复的 2 条"));
    QCOMPARE(answerer.seen.add, QStringLiteral("添加 2 条"));
    QCOMPARE(m_window->records(),
             QStringList({ "张三 13800138000", "王五 13700137000", "周八 男", "李四 13900139000" }));
    QCOMPARE(m_table->item(2, 1)->text(), QStringLiteral("男"));
}

void TestBatchCommands::duplicateMarksFollowTheRows()
{
    m_window.reset(create());
    enter(m_window.data(),
          { QStringLiteral("张三 13800138000"), QStringLiteral("李四 13900139000"),
            QStringLiteral("王五 13800138000"), QStringLiteral("张三 13700137000") });
    QCOMPARE(tip(0, 2), QStringLiteral("与第 3 行重复（手机号）"));
    QCOMPARE(tip(2, 2), QStringLiteral("与第 1 行重复（手机号）"));
    QCOMPARE(tip(3, 0), QStringLiteral("与第 1 行同名"));
    QCOMPARE(tip(1, 2), QString());
    {
        GuiTest::BoxAnswerer ok(QMessageBox::Ok);
        child<QPushButton>(m_window.data(), "copyExcelButton")->click();
        QVERIFY(ok.first().text.endsWith(QStringLiteral("\n\n其中 2 行与其他行重复")));
    }

    m_table->selectRow(1);
    trigger("deleteRowsAction");
    QCOMPARE(tip(0, 2), QStringLiteral("与第 2 行重复（手机号）"));
    trigger("undoAction");
    QCOMPARE(tip(0, 2), QStringLiteral("与第 3 行重复（手机号）"));
    m_table->setCurrentCell(0, 0);
    enter(m_window.data(), { QStringLiteral("赵六 13900139000") }, "insertButton");
    QCOMPARE(tip(1, 2), QStringLiteral("与第 4 行重复（手机号）"));
    QCOMPARE(tip(0, 2), QStringLiteral("与第 3 行重复（手机号）"));

    // A hand edit ends the repeat; a re-sort brings it back from the record's text.
    m_table->item(3, 2)->setText(QStringLiteral("13600136000"));
    QCOMPARE(tip(1, 2), QString());
    GuiTest::BoxAnswerer yes(QMessageBox::Yes);
    child<QPushButton>(m_window.data(), "resortButton")->click();
    QCOMPARE(tip(3, 2), QStringLiteral("与第 2 行重复（手机号）"));
}

void TestBatchCommands::importRefusesAndDropAdds()
{
    m_window.reset(create());
    const QString binary = m_dir.filePath(QStringLiteral("photo.txt"));
    QVERIFY(TestFiles::putBytes(binary, QByteArray("\x89PNG\0\0\0\rIHDR", 12)));
    {
        GuiTest::BoxAnswerer answerer(QMessageBox::Ok);
        QVERIFY(!m_window->importBatchFile(binary));
        QCOMPARE(answerer.first().title, QStringLiteral("导入文本文件"));
        QCOMPARE(answerer.first().icon, QMessageBox::Critical);
        QVERIFY(
            answerer.first().text.startsWith(QStringLiteral("这不是文本文件（含有空字节），未添加任何记录")));
    }
    QCOMPARE(m_table->rowCount(), 0);

    // A GB18030 file dropped on the window opens the same preview.
    const QString list = m_dir.filePath(QStringLiteral("名单.txt"));
    QVERIFY(TestFiles::putBytes(
        list, QTextCodec::codecForName("GB18030")->fromUnicode(QStringLiteral("张三 男\r\n李四 女\r\n"))));
    QMimeData data;
    data.setUrls({ QUrl::fromLocalFile(list) });
    // A file manager offers the path as text too, which the text boxes would take as typed.
    data.setText(QUrl::fromLocalFile(list).toString());
    auto *input = child<QPlainTextEdit>(m_window.data(), "inputEdit");
    QWidget *const targets[] = { m_window.data(), input->viewport(),
                                 child<QLineEdit>(m_window.data(), "patternEdit") };
    for (QWidget *target : targets) {
        QDragEnterEvent drag(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &drag);
        QVERIFY(drag.isAccepted());
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &drop);
        PreviewAnswerer answerer;
        QTRY_VERIFY(answerer.seen.seen);
        QCOMPARE(answerer.seen.source, QStringLiteral("来源：名单.txt（GB18030）"));
        QVERIFY(input->toPlainText().isEmpty());
    }
    QCOMPARE(m_table->rowCount(), 6);
    QCOMPARE(m_window->records().mid(4), QStringList({ "张三 男", "李四 女" }));
}

// `quorbel FILE`, "Open with" and a file dropped on quorbel.exe: the import's preview, or its box.
void TestBatchCommands::fileNamedOnCommandLine()
{
    m_window.reset(create());
    m_window->show();
    const QString program = QStringLiteral("quorbel");
    {
        GuiTest::BoxAnswerer answerer(QMessageBox::Ok);
        m_window->importFileArgument({ program });
        const QString missing = m_dir.filePath(QStringLiteral("没有这个文件.txt"));
        m_window->importFileArgument({ program, missing });
        QTRY_COMPARE(answerer.boxes.size(), 1);
        QCOMPARE(answerer.first().title, QStringLiteral("导入文本文件"));
        QCOMPARE(answerer.first().icon, QMessageBox::Critical);
        QCOMPARE(answerer.first().text,
                 QStringLiteral("找不到文件，或它不是普通文件，未添加任何记录\n路径：") + missing);
    }
    QVERIFY(m_window->isVisible());
    QCOMPARE(m_table->rowCount(), 0);

    const QString list = m_dir.filePath(QStringLiteral("报名 名单.txt"));
    QVERIFY(TestFiles::putBytes(
        list, QTextCodec::codecForName("GB18030")->fromUnicode(QStringLiteral("张三 男\r\n李四 女\r\n"))));
    for (const QString &argument : { list, QUrl::fromLocalFile(list).toString() }) {
        PreviewAnswerer answerer;
        m_window->importFileArgument({ program, argument });
        QTRY_VERIFY(answerer.seen.seen);
        QCOMPARE(answerer.seen.source, QStringLiteral("来源：报名 名单.txt（GB18030）"));
    }
    QCOMPARE(m_window->records(), QStringList({ "张三 男", "李四 女", "张三 男", "李四 女" }));
}

void TestBatchCommands::rowMarkersKeepTheirNumbers()
{
    // Rows with tokens left over carry a marker beside their number; numbers follow every change.
    m_window.reset(create());
    const auto headers = [this] {
        QStringList texts;
        for (int row = 0; row < m_table->rowCount(); ++row)
            texts.append(m_table->model()->headerData(row, Qt::Vertical).toString());
        return texts.join(QLatin1Char('|'));
    };
    enter(m_window.data(),
          { QStringLiteral("张三 男"), QStringLiteral("李四 女 ???"), QStringLiteral("王五 男"),
            QStringLiteral("赵六 !!! 女") });
    QCOMPARE(headers(), QStringLiteral("1|2 •|3|4 •"));
    m_table->setCurrentCell(0, 0);
    enter(m_window.data(), { QStringLiteral("孙七 ### 男") }, "insertButton");
    QCOMPARE(headers(), QStringLiteral("1 •|2|3 •|4|5 •"));
    m_table->selectRow(2);
    trigger("deleteRowsAction");
    QCOMPARE(headers(), QStringLiteral("1 •|2|3|4 •"));
    trigger("undoAction");
    QCOMPARE(headers(), QStringLiteral("1 •|2|3 •|4|5 •"));
    m_table->setCurrentCell(1, 0);
    child<QPlainTextEdit>(m_window.data(), "inputEdit")
        ->setPlainText(QStringLiteral("周八 男 ???\n\n吴九 女"));
    PreviewAnswerer answerer(true, [](QDialog *dialog) {
        dialog->findChild<QCheckBox *>(QStringLiteral("insertBefore"))->setChecked(true);
    });
    trigger("batchAddAction");
    QCOMPARE(headers(), QStringLiteral("1 •|2 •|3|4|5 •|6|7 •"));
    trigger("undoAction");
    QCOMPARE(headers(), QStringLiteral("1 •|2|3 •|4|5 •"));
}

QTEST_MAIN(TestBatchCommands)
#include "tst_batch_commands.moc"
