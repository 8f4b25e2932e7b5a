// The tutorial, about and workspace commands of the menus, and Qt's own texts in Chinese.
#include "app/application_setup.h"
#include "app/quorbel.h"
#include "gui_test_helpers.h"
#include "workspace/workspace.h"

#include <QtTest>
#include <QtWidgets>

// Receives the URLs that the window asks the desktop to open.
class UrlSink : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl &url) { opened.append(url); }
};

class TestMenuActions : public QObject
{
    Q_OBJECT

private slots:
    void init() { GuiTest::removeDataDir(); }
    void cleanup() { GuiTest::removeDataDir(); }
    void tutorial();
    void about();
    void workspaceOpensDataDirectory();
    void qtTextsInChinese_data();
    void qtTextsInChinese();

private:
    void showBox(const char *actionName, const QString &title, QStringList *lines);
};

void TestMenuActions::showBox(const char *actionName, const QString &title, QStringList *lines)
{
    Quorbel window;
    GuiTest::BoxAnswerer answerer(QMessageBox::Ok);
    window.findChild<QAction *>(QString::fromLatin1(actionName))->trigger();
    QCOMPARE(answerer.boxes.size(), 1);
    const GuiTest::BoxSeen seen = answerer.first();
    QCOMPARE(seen.title, title);
    QCOMPARE(seen.icon, QMessageBox::Information);
    QCOMPARE(seen.buttons, QList<QMessageBox::StandardButton> { QMessageBox::Ok });
    // Closing the box changes nothing in the window.
    QCOMPARE(window.findChild<QListWidget *>(QStringLiteral("fieldsList"))->count(), 0);
    QCOMPARE(window.findChild<QTableWidget *>(QStringLiteral("tableWidget"))->columnCount(), 0);
    QVERIFY(window.records().isEmpty());
    *lines = seen.text.split(QLatin1Char('\n'));
}

void TestMenuActions::tutorial()
{
    QStringList lines;
    showBox("helpAction", QStringLiteral("Quorbel 教程"), &lines);
    QVERIFY(!QTest::currentTestFailed());
    const QStringList expected = {
        "步骤一：",
        "在左上方添加字段（表格标题），中间是字段的正则表达式。",
        "不会正则没关系，预设有姓名、手机、邮箱等。",
        "",
        "步骤二：",
        "在左下方的输入框中粘贴文本，点击“添加”，文本中的散乱信息将自动分类到表格中，无需手动调整。",
        "更懒的方法是，直接点“识别剪贴板”。",
        "",
        "步骤三：",
        "点击右下角的“复制为Excel”，可在Excel中粘贴。",
        "",
        "后续或将支持更多骚操作，比如按顺序复制、网页表单填写等。",
    };
    QCOMPARE(lines, expected);
}

void TestMenuActions::about()
{
    QStringList lines;
    showBox("aboutAction", QStringLiteral("关于 Quorbel"), &lines);
    QVERIFY(!QTest::currentTestFailed());
    QCOMPARE(lines.size(), 8);
    // Three "label：value" contact lines, each with something on both sides.
    for (int i = 0; i < 3; ++i) {
        const QStringList parts = lines.at(i).split(QStringLiteral("："));
        QCOMPARE(parts.size(), 2);
        QVERIFY(!parts.at(0).isEmpty() && !parts.at(1).isEmpty());
    }
    QVERIFY(lines.at(0).contains(QStringLiteral("Quorbel")));
    QVERIFY(lines.at(1).contains(QStringLiteral(QUORBEL_VERSION)));
    QCOMPARE(lines.at(3), QString());
    QCOMPARE(lines.at(4), QStringLiteral("为大幅度提高信息归类效率而专门开发的办公工具"));
    QCOMPARE(lines.at(5), QStringLiteral("（懒呀~~）"));
    QCOMPARE(lines.at(6), QString());
    // The distribution line ends the text, with no line break after it.
    QVERIFY(lines.at(7).contains(QStringLiteral("MIT")));
    // No made-up people or addresses.
    QVERIFY(!lines.join(QLatin1Char('\n')).contains(QLatin1Char('@')));
}

void TestMenuActions::workspaceOpensDataDirectory()
{
    UrlSink sink;
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &sink, "open");
    {
        Quorbel window;
        window.findChild<QAction *>(QStringLiteral("workspaceAction"))->trigger();
    }
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    QCOMPARE(sink.opened.size(), 1);
    QVERIFY(sink.opened.first().isLocalFile());
    QCOMPARE(sink.opened.first().toLocalFile(), workspace->dataDir);
    QCOMPARE(sink.opened.first().toLocalFile(), GuiTest::dataDir());
}

void TestMenuActions::qtTextsInChinese_data()
{
    QTest::addColumn<QString>("where");
    QTest::addColumn<QStringList>("texts");
    // 撤消 is Qt's own spelling of 撤销.
    const QStringList editMenu { "撤消", "重做", "剪切", "复制", "粘贴", "删除", "全选" };
    QTest::newRow("re-sort question") << QStringLiteral("resortAction") << QStringList { "取消", "是" };
    QTest::newRow("pattern box menu") << QStringLiteral("patternEdit") << editMenu;
}

void TestMenuActions::qtTextsInChinese()
{
    QFETCH(QString, where);
    QFETCH(QStringList, texts);
    QVERIFY(installQtTranslation(qApp));
    Quorbel window;
    QStringList shown;
    if (auto *edit = window.findChild<QLineEdit *>(where)) {
        const QScopedPointer<QMenu> menu(edit->createStandardContextMenu());
        for (QAction *action : menu->actions())
            shown << action->text();
        shown.removeAll(QString()); // separators
    } else {
        window.findChild<QPlainTextEdit *>(QStringLiteral("inputEdit"))->setPlainText(QStringLiteral("张三"));
        window.slotInputButtonClicked();
        GuiTest::BoxAnswerer answerer(QMessageBox::Cancel);
        window.findChild<QAction *>(where)->trigger();
        shown = answerer.first().buttonTexts;
    }
    // As the user reads them: without the mnemonic "(&U)" and the shortcut after the tab.
    for (QString &text : shown)
        text = text.section(QLatin1Char('\t'), 0, 0).remove(QRegularExpression(QStringLiteral(R"(\(&.\))")));
    QCOMPARE(shown, texts);
}

QTEST_MAIN(TestMenuActions)
#include "tst_menu_actions.moc"
