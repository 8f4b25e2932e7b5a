// The main window as built: its form, slot table, wiring, first start, closing, and the display check.
#include "app/quorbel.h"
#include "gui_test_helpers.h"

#include <QtTest>
#include <QtWidgets>

#ifdef QUORBEL_DISPLAY_CHECK
#include "app/display_check.h"
#endif
#include "app/list_item_delegate.h"

// Qt's hook for observing every slot invocation (the one QtTest's signal dumper uses).
struct QSignalSpyCallbackSet
{
    using BeginCallback = void (*)(QObject *caller, int methodIndex, void **argv);
    using EndCallback = void (*)(QObject *caller, int methodIndex);
    BeginCallback signalBegin;
    BeginCallback slotBegin;
    EndCallback signalEnd;
    EndCallback slotEnd;
};
#if QT_VERSION >= QT_VERSION_CHECK(5, 14, 0)
void Q_DECL_IMPORT qt_register_signal_spy_callbacks(QSignalSpyCallbackSet *callbackSet);
#else
void Q_DECL_IMPORT qt_register_signal_spy_callbacks(const QSignalSpyCallbackSet &callbackSet);
#endif

namespace {

QObject *g_observed = nullptr;
QStringList g_slotsRun;

void recordSlot(QObject *receiver, int methodIndex, void **)
{
    if (receiver == g_observed)
        g_slotsRun.append(QString::fromLatin1(receiver->metaObject()->method(methodIndex).name()));
}

void observeSlots(QObject *window)
{
    g_observed = window;
    g_slotsRun.clear();
    static QSignalSpyCallbackSet set { nullptr, recordSlot, nullptr, nullptr };
    static QSignalSpyCallbackSet none { nullptr, nullptr, nullptr, nullptr };
#if QT_VERSION >= QT_VERSION_CHECK(5, 14, 0)
    qt_register_signal_spy_callbacks(window ? &set : &none);
#else
    qt_register_signal_spy_callbacks(window ? set : none);
#endif
}

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
    void slotTable();
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
    observeSlots(nullptr);
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
    GuiTest::removeDataDir();
}

void TestMainWindow::formElements_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("className");
    QTest::addColumn<QString>("parentName");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("toolTip");

    struct Element
    {
        const char *name;
        const char *className;
        const char *parent;
        const char *text;
        const char *toolTip;
    };
    // clang-format off
    const Element elements[] = {
        { "resortAction",    "QAction",        "QuorbelClass",  "重新分拣",   "" },
        { "helpAction",      "QAction",        "QuorbelClass",  "教程",       "" },
        { "aboutAction",     "QAction",        "QuorbelClass",  "关于",       "" },
        { "workspaceAction", "QAction",        "QuorbelClass",  "工作目录",   "" },
        { "exportAction",    "QAction",        "QuorbelClass",  "导出…",      "" },
        { "clearTableAction", "QAction",       "QuorbelClass",  "清空表格",   "" },
        { "deleteRowsAction", "QAction",       "QuorbelClass",  "删除行",     "" },
        { "undoDeleteAction", "QAction",       "QuorbelClass",  "撤销删除",   "" },
        { "centralWidget",   "QWidget",        "QuorbelClass",  "",           "" },
        { "fieldsList",      "QListWidget",    "centralWidget", "",           "" },
        { "patternEdit",     "QLineEdit",      "centralWidget", "",           "" },
        { "addCol",          "QPushButton",    "centralWidget", "添加字段",   "添加一列。添加后，建议对已有数据重新分拣" },
        { "inputEdit",       "QPlainTextEdit", "centralWidget", "",           "" },
        { "inputButton",     "QPushButton",    "centralWidget", "添加",       "" },
        { "insertButton",    "QPushButton",    "centralWidget", "插入",       "同添加，但是位置在表格当前行的上方" },
        { "pasteButton",     "QPushButton",    "centralWidget", "识别剪贴板", "直接从剪贴板添加，省去手动粘贴的步骤" },
        { "tableWidget",     "QTableWidget",   "centralWidget", "",           "" },
        { "resortButton",    "QPushButton",    "centralWidget", "重新分拣",
          "对所有记录重新分类；会丢失所有手动修改。（建议添加字段后再使用）" },
        { "copyExcelButton", "QPushButton",    "centralWidget", "复制为Excel", "" },
        { "menuBar",         "QMenuBar",       "QuorbelClass",  "",           "" },
        { "menu",            "QMenu",          "menuBar",       "文件",       "" },
        { "menu_2",          "QMenu",          "menuBar",       "编辑",       "" },
        { "menu_3",          "QMenu",          "menuBar",       "帮助",       "" },
        { "statusBar",       "QStatusBar",     "QuorbelClass",  "",           "" },
    };
    // clang-format on
    for (const Element &e : elements) {
        QTest::newRow(e.name) << QString::fromLatin1(e.name) << QString::fromLatin1(e.className)
                              << QString::fromLatin1(e.parent) << QString::fromUtf8(e.text)
                              << QString::fromUtf8(e.toolTip);
    }
}

void TestMainWindow::formElements()
{
    QFETCH(QString, name);
    QFETCH(QString, className);
    QFETCH(QString, parentName);
    QFETCH(QString, text);
    QFETCH(QString, toolTip);

    Quorbel window;
    QCOMPARE(window.objectName(), QStringLiteral("QuorbelClass"));
    QCOMPARE(window.windowTitle(), QStringLiteral("Quorbel"));

    const QList<QObject *> found = window.findChildren<QObject *>(name);
    QCOMPARE(found.size(), 1);
    QObject *object = found.first();
    QCOMPARE(QString::fromLatin1(object->metaObject()->className()), className);
    QVERIFY(object->parent());
    QCOMPARE(object->parent()->objectName(), parentName);

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
    Quorbel window;
    struct Expect
    {
        const char *name;
        const char *className;
        QMargins margins;
        QLayout::SizeConstraint constraint;
        QStringList items; // widget names, "|" for a spacer, layout names
    };
    const QMargins unset(-1, -1, -1, -1);
    const QList<Expect> expected = {
        { "horizontalLayout_2",
          "QHBoxLayout",
          QMargins(11, 11, 11, 11),
          QLayout::SetDefaultConstraint,
          { "horizontalLayout" } },
        { "horizontalLayout",
          "QHBoxLayout",
          unset,
          QLayout::SetDefaultConstraint,
          { "inputVLayout", "verticalLayout" } },
        { "inputVLayout",
          "QVBoxLayout",
          unset,
          QLayout::SetDefaultConstraint,
          { "fieldsList", "patternEdit", "horizontalLayout_4", "inputEdit", "horizontalLayout_3" } },
        { "horizontalLayout_4",
          "QHBoxLayout",
          QMargins(-1, 0, -1, -1),
          QLayout::SetMinimumSize,
          { "|", "addCol" } },
        { "horizontalLayout_3",
          "QHBoxLayout",
          QMargins(-1, 0, -1, -1),
          QLayout::SetMinimumSize,
          { "|", "inputButton", "insertButton", "|", "pasteButton", "|" } },
        { "verticalLayout",
          "QVBoxLayout",
          QMargins(-1, -1, 0, -1),
          QLayout::SetDefaultConstraint,
          { "tableWidget", "horizontalLayout_5" } },
        { "horizontalLayout_5",
          "QHBoxLayout",
          QMargins(-1, 0, -1, -1),
          QLayout::SetDefaultConstraint,
          { "resortButton", "|", "copyExcelButton" } },
    };

    for (const Expect &e : expected) {
        const QString name = QString::fromLatin1(e.name);
        auto *layout = window.findChild<QBoxLayout *>(name);
        QVERIFY2(layout, e.name);
        QCOMPARE(QString::fromLatin1(layout->metaObject()->className()), QString::fromLatin1(e.className));
        QCOMPARE(layout->spacing(), 6);
        // Unset sides (-1) resolve to the style's default, so only the sides the form sets are compared.
        const QMargins m = layout->contentsMargins();
        const int got[] = { m.left(), m.top(), m.right(), m.bottom() };
        const int want[] = { e.margins.left(), e.margins.top(), e.margins.right(), e.margins.bottom() };
        for (int side = 0; side < 4; ++side) {
            if (want[side] >= 0)
                QCOMPARE(got[side], want[side]);
        }
        QCOMPARE(layout->sizeConstraint(), e.constraint);

        QStringList items;
        for (int i = 0; i < layout->count(); ++i) {
            QLayoutItem *item = layout->itemAt(i);
            QCOMPARE(layout->stretch(i), name == QLatin1String("horizontalLayout") ? (i == 0 ? 1 : 3) : 0);
            QCOMPARE(item->alignment(), Qt::Alignment());
            if (QSpacerItem *spacer = item->spacerItem()) {
                QCOMPARE(spacer->sizeHint(), QSize(40, 20));
                QCOMPARE(spacer->sizePolicy().horizontalPolicy(), QSizePolicy::Expanding);
                QCOMPARE(spacer->sizePolicy().verticalPolicy(), QSizePolicy::Minimum);
                items << QStringLiteral("|");
            } else if (item->widget()) {
                items << item->widget()->objectName();
            } else {
                items << item->layout()->objectName();
            }
        }
        QCOMPARE(items, e.items);
    }
    QCOMPARE(window.centralWidget()->layout()->objectName(), QStringLiteral("horizontalLayout_2"));
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

void TestMainWindow::slotTable()
{
    const QStringList expected = {
        "slotInputButtonClicked()",
        "slotInsertButtonClicked()",
        "slotPasteButtonClicked()",
        "slotResortButtonClicked()",
        "slotExcelButtonClicked()",
        "slotFieldItemAdd()",
        "slotFieldItemRowChanged()",
        "slotFieldItemTextModified(int,QString)",
        "slotFieldItemPatternModified(QString)",
        "slotFieldItemMenu(QPoint)",
        "slotFieldItemRename()",
        "slotFieldItemDelete()",
        "slotFieldItemMoveUp()",
        "slotFieldItemMoveDown()",
        "slotFieldItemMoveTop()",
        "slotFieldItemMoveBottom()",
        "slotWorkSpaceActionTriggered()",
        "slotHelpActionTriggered()",
        "slotAboutActionTriggered()",
        "slotTableItemMenu(QPoint)",
        "slotTableItemChanged(QTableWidgetItem*)",
        "slotTableCurrentCellChanged(int)",
        "slotAdoptSelectedTriggered()",
        "slotAdoptAllTriggered()",
    };
    const QMetaObject &mo = Quorbel::staticMetaObject;
    QCOMPARE(QString::fromLatin1(mo.className()), QStringLiteral("Quorbel"));
    QCOMPARE(mo.methodCount() - mo.methodOffset(), expected.size());
    for (int i = 0; i < expected.size(); ++i) {
        const QMetaMethod m = mo.method(mo.methodOffset() + i);
        QCOMPARE(QString::fromLatin1(m.methodSignature()), expected.at(i));
        QCOMPARE(m.methodType(), QMetaMethod::Slot);
        QCOMPARE(m.access(), QMetaMethod::Public);
        QCOMPARE(m.returnType(), int(QMetaType::Void));
    }
    auto names = [&](const char *signature) {
        QStringList result;
        for (const QByteArray &n : mo.method(mo.indexOfSlot(signature)).parameterNames())
            result << QString::fromLatin1(n);
        return result;
    };
    QCOMPARE(names("slotFieldItemTextModified(int,QString)"), QStringList({ "row", "text" }));
    QCOMPARE(names("slotFieldItemPatternModified(QString)"), QStringList({ "text" }));
    QCOMPARE(names("slotFieldItemMenu(QPoint)"), QStringList({ "p" }));
}

void TestMainWindow::connectionsReachTheirSlots()
{
    // Opening the data folder must not start a real file browser from a test.
    QObject urlSink;
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &urlSink, "deleteLater");

    Quorbel window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    GuiTest::BoxAnswerer closer;

    auto *list = child<QListWidget>(window, "fieldsList");
    auto *delegate = qobject_cast<ListItemDelegate *>(list->itemDelegate());
    QVERIFY(delegate);
    QCOMPARE(list->editTriggers(), QAbstractItemView::EditTriggers(QAbstractItemView::DoubleClicked));

    struct Trigger
    {
        QString expectedSlot;
        std::function<void()> fire;
    };
    auto click = [&](const char *name) {
        return [&window, name] { child<QPushButton>(window, name)->click(); };
    };
    auto trigger = [&](const char *name) {
        return [&window, name] { child<QAction>(window, name)->trigger(); };
    };
    const QList<Trigger> triggers = {
        { "slotFieldItemTextModified", [&] { emit delegate->signalTextModified(0, QStringLiteral("x")); } },
        { "slotWorkSpaceActionTriggered", trigger("workspaceAction") },
        { "slotResortButtonClicked", trigger("resortAction") },
        { "slotHelpActionTriggered", trigger("helpAction") },
        { "slotAboutActionTriggered", trigger("aboutAction") },
        { "slotFieldItemAdd", click("addCol") },
        { "slotInputButtonClicked", click("inputButton") },
        { "slotInsertButtonClicked", click("insertButton") },
        { "slotResortButtonClicked", click("resortButton") },
        { "slotPasteButtonClicked", click("pasteButton") },
        { "slotExcelButtonClicked", click("copyExcelButton") },
        { "slotFieldItemMenu", [&] { emit list->customContextMenuRequested(QPoint(1, 1)); } },
        { "slotFieldItemRowChanged", [&] { emit list->currentRowChanged(0); } },
        { "slotAdoptSelectedTriggered", trigger("adoptSelectedAction") },
        { "slotAdoptAllTriggered", trigger("adoptAllAction") },
        { "slotTableItemMenu",
          [&] {
              emit child<QTableWidget>(window, "tableWidget")->customContextMenuRequested(QPoint(1, 1));
          } },
        { "slotFieldItemPatternModified",
          [&] { child<QLineEdit>(window, "patternEdit")->setText(QStringLiteral("^a$")); } },
    };
    for (const Trigger &t : triggers) {
        observeSlots(&window);
        t.fire();
        const QStringList run = g_slotsRun;
        observeSlots(nullptr);
        QVERIFY2(!run.isEmpty(), qPrintable(t.expectedSlot));
        QCOMPARE(run.first(), t.expectedSlot);
        // Connected once: the slot runs once per signal.
        QCOMPARE(run.count(t.expectedSlot), 1);
    }
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
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
