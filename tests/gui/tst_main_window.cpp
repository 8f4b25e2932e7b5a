// The main window as the user meets it: its widgets and captions, menus, layout and size, what each
// button and menu entry does, first start, closing, and the display check.
#include "app/quorbel.h"
#include "gui_test_helpers.h"

#include <QtTest>
#include <QtWidgets>

#ifdef QUORBEL_DISPLAY_CHECK
#include "app/display_check.h"
#endif
#include "app/list_item_delegate.h"

namespace {

template<typename T>
T *child(QWidget &window, const char *name)
{
    return window.findChild<T *>(QString::fromLatin1(name));
}

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { GuiTest::keepDataBesideTest(); }
    void init();
    void cleanup();

    void formElements_data();
    void formElements();
    void menus();
    void layouts();
    void windowGeometry();
    void connectionsReachTheirSlots();
    void firstStart();
    void plainFileNamedDataSurvives();
    void closingWritesNothing();
    void displayCheck_data();
    void displayCheck();
    void fontDpiFromResources_data();
    void fontDpiFromResources();
};

void TestMainWindow::init()
{
    GuiTest::removeDataDir();
}

void TestMainWindow::cleanup()
{
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
    GuiTest::removeDataDir();
}

void TestMainWindow::formElements_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("className");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("toolTip");

    struct Element
    {
        const char *name;
        const char *className;
        const char *text;
        const char *toolTip;
    };
    // clang-format off
    const Element elements[] = {
        { "resortAction",    "QAction",        "重新分拣",   "" },
        { "helpAction",      "QAction",        "教程",       "" },
        { "aboutAction",     "QAction",        "关于",       "" },
        { "workspaceAction", "QAction",        "工作目录",   "" },
        { "exportAction",    "QAction",        "导出…",      "" },
        { "clearTableAction", "QAction",       "清空表格",   "" },
        { "deleteRowsAction", "QAction",       "删除行",     "" },
        { "centralWidget",   "QWidget",        "",           "" },
        { "fieldsList",      "QListWidget",    "",           "" },
        { "patternEdit",     "QLineEdit",      "",           "" },
        { "addCol",          "QPushButton",    "添加字段",   "添加一列。添加后，建议对已有数据重新分拣" },
        { "inputEdit",       "QPlainTextEdit", "",           "" },
        { "inputButton",     "QPushButton",    "添加",       "" },
        { "insertButton",    "QPushButton",    "插入",       "同添加，但是位置在表格当前行的上方" },
        { "pasteButton",     "QPushButton",    "识别剪贴板", "直接从剪贴板添加，省去手动粘贴的步骤" },
        { "tableWidget",     "QTableWidget",   "",           "" },
        { "resortButton",    "QPushButton",    "重新分拣",
          "对所有记录重新分类；会丢失所有手动修改。（建议添加字段后再使用）" },
        { "copyExcelButton", "QPushButton",    "复制为Excel", "" },
        { "menuBar",         "QMenuBar",       "",           "" },
        { "menu",            "QMenu",          "文件",       "" },
        { "menu_2",          "QMenu",          "编辑",       "" },
        { "menu_3",          "QMenu",          "帮助",       "" },
        { "statusBar",       "QStatusBar",     "",           "" },
    };
    // clang-format on
    for (const Element &e : elements) {
        QTest::newRow(e.name) << QString::fromLatin1(e.name) << QString::fromLatin1(e.className)
                              << QString::fromUtf8(e.text) << QString::fromUtf8(e.toolTip);
    }
}

void TestMainWindow::formElements()
{
    QFETCH(QString, name);
    QFETCH(QString, className);
    QFETCH(QString, text);
    QFETCH(QString, toolTip);

    Quorbel window;
    QCOMPARE(window.objectName(), QStringLiteral("QuorbelClass"));
    QCOMPARE(window.windowTitle(), QStringLiteral("Quorbel"));

    const QList<QObject *> found = window.findChildren<QObject *>(name);
    QCOMPARE(found.size(), 1);
    QObject *object = found.first();
    QCOMPARE(QString::fromLatin1(object->metaObject()->className()), className);

    if (auto *menu = qobject_cast<QMenu *>(object))
        QCOMPARE(menu->title(), text);
    else if (object->metaObject()->indexOfProperty("text") >= 0 && !qobject_cast<QPlainTextEdit *>(object))
        QCOMPARE(object->property("text").toString(), text);
    else
        QVERIFY(text.isEmpty());
    // An action's tool tip falls back to its text; only widgets carry a tool tip of their own here.
    if (object->isWidgetType())
        QCOMPARE(object->property("toolTip").toString(), toolTip);
}

void TestMainWindow::menus()
{
    Quorbel window;
    auto *bar = child<QMenuBar>(window, "menuBar");
    QCOMPARE(window.menuBar(), bar);

    QStringList titles;
    QStringList entries;
    for (QAction *menuAction : bar->actions()) {
        titles << menuAction->text();
        QStringList inMenu;
        for (QAction *action : menuAction->menu()->actions())
            inMenu << action->objectName() + QLatin1Char('=') + action->text();
        entries << inMenu.join(QLatin1Char(','));
    }
    QCOMPARE(titles, QStringList({ "文件", "编辑", "帮助" }));
    QCOMPARE(
        entries,
        QStringList({ "workspaceAction=工作目录,importTextAction=导入文本文件…,fieldTemplatesAction=字段模板,"
                      "exportAction=导出…",
                      "undoAction=撤销,redoAction=重做,=,"
                      "batchAddAction=批量添加…,resortAction=重新分拣,clearTableAction=清空表格,"
                      "adoptSelectedAction=采纳建议（选中行）,"
                      "adoptAllAction=采纳建议（全部行）",
                      "helpAction=教程,aboutAction=关于" }));
    QStringList templates;
    for (QAction *action : child<QMenu>(window, "fieldTemplatesMenu")->actions())
        templates << action->text();
    QCOMPARE(templates, QStringList({ "学生信息", "员工信息", "活动报名", "收件人" }));
    QCOMPARE(child<QAction>(window, "exportAction")->shortcut(), QKeySequence(QStringLiteral("Ctrl+S")));
    QCOMPARE(child<QAction>(window, "importTextAction")->shortcut(), QKeySequence(QStringLiteral("Ctrl+O")));
    QCOMPARE(child<QAction>(window, "batchAddAction")->shortcut(),
             QKeySequence(QStringLiteral("Ctrl+Shift+V")));
    QCOMPARE(window.statusBar(), child<QStatusBar>(window, "statusBar"));
    QVERIFY(window.statusBar()->currentMessage().isEmpty());
    QCOMPARE(child<QListWidget>(window, "fieldsList")->contextMenuPolicy(), Qt::CustomContextMenu);
}

void TestMainWindow::layouts()
{
    // Where each widget sits: top to bottom or left to right, "|" for a gap that pushes its neighbours.
    Quorbel window;
    const QList<QPair<const char *, QStringList>> expected = {
        { "inputVLayout",
          { "fieldsList", "patternEdit", "horizontalLayout_4", "inputEdit", "horizontalLayout_3" } },
        { "horizontalLayout_4", { "|", "addCol" } },
        { "horizontalLayout_3", { "|", "inputButton", "insertButton", "|", "pasteButton", "|" } },
        { "verticalLayout", { "tableWidget", "horizontalLayout_5" } },
        { "horizontalLayout_5", { "resortButton", "|", "copyExcelButton" } },
    };
    for (const auto &e : expected) {
        auto *layout = window.findChild<QBoxLayout *>(QString::fromLatin1(e.first));
        QVERIFY2(layout, e.first);
        QStringList items;
        for (int i = 0; i < layout->count(); ++i) {
            QLayoutItem *item = layout->itemAt(i);
            if (item->spacerItem())
                items << QStringLiteral("|");
            else if (item->widget())
                items << item->widget()->objectName();
            else
                items << item->layout()->objectName();
        }
        QCOMPARE(items, e.second);
    }
}

void TestMainWindow::windowGeometry()
{
    Quorbel window;
    QCOMPARE(window.size(), QSize(660, 489));
    QCOMPARE(child<QMenuBar>(window, "menuBar")->geometry(), QRect(0, 0, 660, 23));

    // The field panel and the table side share the width 1 : 3 as far as minimum sizes allow.
    window.resize(1200, 600);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const int panel = child<QListWidget>(window, "fieldsList")->width();
    const int table = child<QTableWidget>(window, "tableWidget")->width();
    QVERIFY2(qAbs(table - 3 * panel) < 40, qPrintable(QStringLiteral("%1 : %2").arg(panel).arg(table)));
}

void TestMainWindow::connectionsReachTheirSlots()
{
    // Each button, list signal and menu entry does what it says, once (the menu's 工作目录, 教程 and
    // 关于 are tst_menu_actions' part).
    Quorbel window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto *list = child<QListWidget>(window, "fieldsList");
    auto *table = child<QTableWidget>(window, "tableWidget");
    auto *input = child<QPlainTextEdit>(window, "inputEdit");
    auto *pattern = child<QLineEdit>(window, "patternEdit");
    auto *delegate = qobject_cast<ListItemDelegate *>(list->itemDelegate());
    QVERIFY(delegate);
    QCOMPARE(list->editTriggers(), QAbstractItemView::EditTriggers(QAbstractItemView::DoubleClicked));
    const auto click = [&window](const char *name) { child<QPushButton>(window, name)->click(); };
    // The boxes and menus that opened meanwhile, by title ("menu" for a pop-up menu).
    const auto opened = [](const std::function<void()> &fire, QMessageBox::StandardButton answer) {
        GuiTest::BoxAnswerer answerer(answer);
        fire();
        QStringList titles;
        for (const GuiTest::BoxSeen &box : answerer.boxes)
            titles << box.title;
        for (int menus = answerer.closed - answerer.boxes.size(); menus > 0; --menus)
            titles << QStringLiteral("menu");
        return titles;
    };

    click("addCol");
    QCOMPARE(list->count(), 1);
    emit delegate->signalTextModified(0, QStringLiteral("姓名"));
    QCOMPARE(window.fieldCatalogue().at(0).name, QStringLiteral("姓名"));
    pattern->setText(QStringLiteral("^张.*$"));
    QCOMPARE(window.fieldCatalogue().at(0).pattern, QStringLiteral("^张.*$"));
    click("addCol");
    list->setCurrentRow(0);
    QCOMPARE(pattern->text(), QStringLiteral("^张.*$"));

    input->setPlainText(QStringLiteral("张三"));
    click("inputButton");
    input->setPlainText(QStringLiteral("张四"));
    click("insertButton");
    QGuiApplication::clipboard()->setText(QStringLiteral("张五"));
    click("pasteButton");
    QCOMPARE(window.records(), QStringList({ "张四", "张三", "张五" }));

    QCOMPARE(opened([&] { click("resortButton"); }, QMessageBox::Cancel), QStringList { "提示" });
    QCOMPARE(opened([&] { child<QAction>(window, "resortAction")->trigger(); }, QMessageBox::Cancel),
             QStringList { "提示" });
    QCOMPARE(opened([&] { click("copyExcelButton"); }, QMessageBox::Ok), QStringList { "复制为Excel" });
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("张四\t\n张三\t\n张五\t\n"));
    list->setCurrentRow(0);
    QCOMPARE(
        opened([&] { emit list->customContextMenuRequested(list->visualItemRect(list->item(0)).center()); },
               QMessageBox::NoButton),
        QStringList { "menu" });
    QCOMPARE(opened([&] { emit table->customContextMenuRequested(QPoint(1, 1)); }, QMessageBox::NoButton),
             QStringList { "menu" });

    // A hand edit reaches its slot and becomes a step of its own; 撤销 and 重做 sit at the top of 编辑.
    table->item(0, 0)->setText(QStringLiteral("张"));
    QCOMPARE(child<QAction>(window, "undoAction")->text(), QStringLiteral("撤销 编辑单元格"));
    child<QAction>(window, "undoAction")->trigger();
    QCOMPARE(table->item(0, 0)->text(), QStringLiteral("张四"));
    QCOMPARE(child<QAction>(window, "undoAction")->shortcut(), QKeySequence(QStringLiteral("Ctrl+Z")));
    QCOMPARE(child<QAction>(window, "redoAction")->shortcuts(),
             QList<QKeySequence>(
                 { QKeySequence(QStringLiteral("Ctrl+Y")), QKeySequence(QStringLiteral("Ctrl+Shift+Z")) }));
}

void TestMainWindow::firstStart()
{
    Quorbel window;
    QVERIFY(QFileInfo(GuiTest::dataDir()).isDir());
    QCOMPARE(window.fieldFilePath(), GuiTest::dataDir() + QStringLiteral("fields.txt"));
    QCOMPARE(child<QListWidget>(window, "fieldsList")->count(), 0);
    QVERIFY(child<QLineEdit>(window, "patternEdit")->text().isEmpty());
    QVERIFY(child<QPlainTextEdit>(window, "inputEdit")->toPlainText().isEmpty());
    auto *table = child<QTableWidget>(window, "tableWidget");
    QCOMPARE(table->columnCount(), 0);
    QCOMPARE(table->rowCount(), 0);
    QCOMPARE(window.fieldCatalogue().size(), 0);
    QVERIFY(window.records().isEmpty());
    // Nothing is created until the first change.
    QVERIFY(!QFileInfo::exists(window.fieldFilePath()));
    QCOMPARE(child<QLineEdit>(window, "patternEdit")->placeholderText(),
             QStringLiteral("字段的正则表达式，可留空"));
    QCOMPARE(child<QPlainTextEdit>(window, "inputEdit")->placeholderText(),
             QStringLiteral("粘贴一个人的信息，例如：张三 男 13812345678 zhangsan@example.com"));
    // A hint over each empty view names the next step, and goes when the view has content.
    window.show();
    const auto hint = [&window](const char *view) {
        const QLabel *label = child<QAbstractItemView>(window, view)->viewport()->findChild<QLabel *>();
        return label && label->isVisible() ? label->text() : QString();
    };
    QCOMPARE(hint("fieldsList"), QStringLiteral("点击“添加字段”，或用“文件 → 字段模板”"));
    QCOMPARE(hint("tableWidget"), QStringLiteral("先在左侧添加字段，每个字段是表格的一列"));
    // Grey as the boxes' placeholders, in whichever role the label draws with.
    for (const char *view : { "fieldsList", "tableWidget" }) {
        const QLabel *label = child<QAbstractItemView>(window, view)->viewport()->findChild<QLabel *>();
        QCOMPARE(label->palette().color(label->foregroundRole()),
                 label->palette().color(QPalette::PlaceholderText));
    }
    window.slotFieldItemAdd();
    QCOMPARE(hint("fieldsList"), QString());
    QCOMPARE(hint("tableWidget"), QStringLiteral("在左下方粘贴一个人的信息，点击“添加”，这里就会多出一行"));
    child<QPlainTextEdit>(window, "inputEdit")->setPlainText(QStringLiteral("张三"));
    window.slotInputButtonClicked();
    QCOMPARE(hint("tableWidget"), QString());
    window.markTableHandedOn();
    window.clearTable();
    QVERIFY(!hint("tableWidget").isEmpty());
}

void TestMainWindow::plainFileNamedDataSurvives()
{
    const QString path = QCoreApplication::applicationDirPath() + QStringLiteral("/data");
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("keep me");
    }
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("not a directory")));
    {
        GuiTest::BoxAnswerer answerer(QMessageBox::Ok);
        Quorbel window;
        QCOMPARE(child<QListWidget>(window, "fieldsList")->count(), 0);
        QCOMPARE(answerer.boxes.size(), 1); // why, at start-up; see tst_field_storage
    }
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), QByteArray("keep me"));
}

void TestMainWindow::closingWritesNothing()
{
    {
        Quorbel window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(window.close());
    }
    QCOMPARE(QDir(GuiTest::dataDir()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList());
}

void TestMainWindow::displayCheck_data()
{
    QTest::addColumn<QByteArray>("platform");
    QTest::addColumn<QByteArray>("display");
    QTest::addColumn<QByteArrayList>("arguments");
    QTest::addColumn<QString>("reason"); // empty when a window can be tried

    const QByteArrayList bare { "quorbel" };
    QTest::newRow("no display") << QByteArray() << QByteArray() << bare
                                << QStringLiteral("quorbel: no display available (DISPLAY is not set); "
                                                  "start it from a desktop session");
    QTest::newRow("local display without a server")
        << QByteArray() << QByteArray(":4711.0") << bare
        << QStringLiteral("quorbel: no display available (cannot connect to X display :4711.0)");
    QTest::newRow("remote display left to the toolkit")
        << QByteArray() << QByteArray("elsewhere:0") << bare << QString();
    QTest::newRow("platform chosen in the environment")
        << QByteArray("offscreen") << QByteArray() << bare << QString();
    QTest::newRow("platform chosen on the command line")
        << QByteArray() << QByteArray() << QByteArrayList { "quorbel", "-platform", "offscreen" }
        << QString();
    QTest::newRow("display chosen on the command line")
        << QByteArray() << QByteArray() << QByteArrayList { "quorbel", "-display", ":4711" } << QString();
    QTest::newRow("-display without a name")
        << QByteArray() << QByteArray() << QByteArrayList { "quorbel", "-display" }
        << QStringLiteral(
               "quorbel: no display available (DISPLAY is not set); start it from a desktop session");
}

void TestMainWindow::displayCheck()
{
#ifdef QUORBEL_DISPLAY_CHECK
    QFETCH(QByteArray, platform);
    QFETCH(QByteArray, display);
    QFETCH(QByteArrayList, arguments);
    QFETCH(QString, reason);

    const char *const names[] = { "QT_QPA_PLATFORM", "WAYLAND_DISPLAY", "DISPLAY" };
    QByteArrayList saved;
    for (const char *name : names)
        saved.append(qgetenv(name));
    qputenv("QT_QPA_PLATFORM", platform);
    qunsetenv("WAYLAND_DISPLAY");
    qputenv("DISPLAY", display);

    QVector<const char *> argv;
    for (const QByteArray &argument : arguments)
        argv.append(argument.constData());
    QString said;
    const bool available = displayAvailable(argv.size(), argv.constData(), &said);

    for (int i = 0; i < 3; ++i)
        qputenv(names[i], saved.at(i));
    QCOMPARE(available, reason.isEmpty());
    QCOMPARE(said, reason);
#else
    QSKIP("only X11 builds check the display");
#endif
}

void TestMainWindow::fontDpiFromResources_data()
{
    QTest::addColumn<QByteArray>("resources");
    QTest::addColumn<int>("dpi"); // 0: the desktop set none
    QTest::newRow("set by xrdb") << QByteArray("Xft.antialias:\t1\nXft.dpi:\t144\nXft.hinting:\t1\n") << 144;
    QTest::newRow("spaces, no final line break") << QByteArray("Xft.dpi:  120") << 120;
    QTest::newRow("none") << QByteArray("Xcursor.size:\t24\n") << 0;
    QTest::newRow("not a number") << QByteArray("Xft.dpi:\tlarge\n") << 0;
    QTest::newRow("zero") << QByteArray("Xft.dpi:\t0\n") << 0;
    QTest::newRow("another resource's dpi") << QByteArray("Xterm.Xft.dpi:\t144\n") << 0;
}

void TestMainWindow::fontDpiFromResources()
{
#ifdef QUORBEL_DISPLAY_CHECK
    QFETCH(QByteArray, resources);
    QFETCH(int, dpi);
    QCOMPARE(::fontDpiFromResources(resources), dpi);
#else
    QSKIP("X11 only");
#endif
}

QTEST_MAIN(TestMainWindow)
#include "tst_main_window.moc"
