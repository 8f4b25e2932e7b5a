// The field file as the window loads and saves it, and the failures that must never cost the user
// the fields on disk.
#include "app/quorbel.h"
#include "fields/field_file.h"
#include "gui_test_helpers.h"
#include "tests/test_files.h"
#include "tests/without_permission_override.h"

#include <QtTest>
#include <QtWidgets>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#endif

namespace {

const QByteArray kOneField("<field><name>姓名</name><pattern>^[^\\x00-\\xff]{2,4}$</pattern></field>");

QString fieldFile()
{
    return GuiTest::dataDir() + QStringLiteral("fields.txt");
}

using TestFiles::bytesOf;
using TestFiles::putBytes;

// "title|text" of each box, marked where a box is not the parentless critical one with OK alone
// that every field file failure shows.
QStringList criticalBoxes(const GuiTest::BoxAnswerer &answerer)
{
    QStringList said;
    for (const GuiTest::BoxSeen &box : answerer.boxes) {
        const bool expected = box.icon == QMessageBox::Critical && !box.hasParent
            && box.buttons == QList<QMessageBox::StandardButton> { QMessageBox::Ok };
        said << (expected ? QString() : QStringLiteral("[unexpected kind of box] ")) + box.title
                + QLatin1Char('|') + box.text;
    }
    return said;
}

// The status bar's lasting warning, or the empty string when none shows.
QString saveWarning(const Quorbel &window)
{
    const auto *label = window.findChild<QLabel *>(QStringLiteral("saveWarning"));
    return label && label->isVisibleTo(&window) ? label->text() : QString();
}

} // namespace

class TestFieldStorage : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { GuiTest::keepDataBesideTest(); }
    void init();
    void cleanup();
    void loadsWithoutWriting();
    void fileKinds_data();
    void fileKinds();
    void unreadableFileIsNeverOverwritten();
    void plainFileWhereDataBelongs();
    void readOnlyDataDirectory();
    void unwritableFolderAtStart_data();
    void unwritableFolderAtStart();
    void failedWriteKeepsOldFile();
    void installedCopyUsesUserFolder();
};

void TestFieldStorage::init()
{
    GuiTest::removeDataDir();
}

void TestFieldStorage::cleanup()
{
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
    QFile::setPermissions(GuiTest::dataDir(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    GuiTest::removeDataDir();
}

void TestFieldStorage::loadsWithoutWriting()
{
    GuiTest::BoxAnswerer recorder(QMessageBox::Ok);
    // Spacing that a save would remove shows that starting up writes nothing.
    const QByteArray text = "\xEF\xBB\xBF" + kOneField + "\r\n <field><name>备注</name></field>\n";
    QVERIFY(putBytes(fieldFile(), text));
    // What an interrupted save leaves goes; a user's copy that merely looks alike stays.
    QVERIFY(putBytes(fieldFile() + QStringLiteral(".qWeRtY"), "<field>"));
    QVERIFY(putBytes(fieldFile() + QStringLiteral(".backup"), "mine"));
    {
        Quorbel window;
        QCOMPARE(GuiTest::dataFiles(), QStringList({ "fields.txt", "fields.txt.backup" }));
        const FieldCatalogue &catalogue = window.fieldCatalogue();
        QCOMPARE(catalogue.names(), QStringList({ "姓名", "备注" }));
        QCOMPARE(catalogue.at(0).pattern, QStringLiteral(R"(^[^\x00-\xff]{2,4}$)"));
        QVERIFY(catalogue.at(1).pattern.isEmpty());
        auto *list = window.findChild<QListWidget *>(QStringLiteral("fieldsList"));
        QCOMPARE(list->count(), 2);
        QCOMPARE(list->item(1)->text(), QStringLiteral("备注"));
        auto *table = window.findChild<QTableWidget *>(QStringLiteral("tableWidget"));
        QCOMPARE(table->columnCount(), 2);
        QCOMPARE(table->horizontalHeaderItem(1)->text(), QStringLiteral("备注"));
    }
    QCOMPARE(bytesOf(fieldFile()), text);

    // A zero-byte file is an empty catalogue, and an empty catalogue is saved as zero bytes.
    QVERIFY(putBytes(fieldFile(), QByteArray()));
    {
        Quorbel window;
        QCOMPARE(window.fieldCatalogue().size(), 0);
        window.findChild<QPushButton *>(QStringLiteral("addCol"))->click();
        QCOMPARE(bytesOf(fieldFile()), QByteArray("<field><name>新字段</name><pattern></pattern></field>"));
        window.findChild<QListWidget *>(QStringLiteral("fieldsList"))->setCurrentRow(0);
        window.slotFieldItemDelete();
        QCOMPARE(bytesOf(fieldFile()), QByteArray());
    }
    QCOMPARE(criticalBoxes(recorder), QStringList());
}

void TestFieldStorage::fileKinds_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QStringList>("boxes"); // at start-up and through two saves
    QTest::addColumn<bool>("converted"); // saved as UTF-8 after a copy of the original

    const QString path = QStringLiteral("\n路径：") + fieldFile();
    QTest::newRow("GBK, as Notepad saves ANSI")
        << QByteArray("<field><name>\xD0\xD5\xC3\xFB</name><pattern>^a$</pattern></field>\r\n")
        << QStringList { "姓名" } << QStringList() << true;
    QTest::newRow("neither UTF-8 nor GB18030")
        << QByteArray("<field><name>\x80\xFF</name></field>") << QStringList()
        << QStringList { "错误|文件既不是 UTF-8 编码，也不是 GB18030 编码，无法读取" + path,
                         "保存失败|启动时无法读取字段文件，为保护原有字段，未覆盖该文件" + path }
        << false;
    QTest::newRow("no field in a non-empty file")
        << QByteArray("<FIELD><NAME>姓名</NAME></FIELD>") << QStringList()
        << QStringList { "保存失败|字段文件中没有可读的字段，为保护其内容，未覆盖该文件" + path } << false;
    QTest::newRow("white space alone") << QByteArray(" \r\n") << QStringList() << QStringList() << false;
}

void TestFieldStorage::fileKinds()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, names);
    QFETCH(QStringList, boxes);
    QFETCH(bool, converted);

    QVERIFY(putBytes(fieldFile(), bytes));
    GuiTest::BoxAnswerer recorder(QMessageBox::Ok);
    if (boxes.value(0).startsWith(QStringLiteral("错误")))
        QTest::ignoreMessage(QtDebugMsg, QRegularExpression(QStringLiteral("既非 UTF-8")));
    Quorbel window;
    QCOMPARE(window.fieldCatalogue().names(), names);
    window.findChild<QPushButton *>(QStringLiteral("addCol"))->click();
    window.findChild<QPushButton *>(QStringLiteral("addCol"))->click();
    QCOMPARE(criticalBoxes(recorder), boxes);
    const bool kept = !boxes.filter(QStringLiteral("保存失败")).isEmpty();
    QCOMPARE(bytesOf(fieldFile()), kept ? bytes : fieldsToText(window.fieldCatalogue().fields()).toUtf8());
    QCOMPARE(bytesOf(fieldFile() + QStringLiteral(".bak")), converted ? bytes : QByteArray("<unreadable>"));
    QCOMPARE(window.statusBar()->currentMessage(),
             converted ? QStringLiteral("字段文件已由 GB18030 编码改存为 UTF-8，原文件保留为 fields.txt.bak")
                       : QString());
}

void TestFieldStorage::unreadableFileIsNeverOverwritten()
{
#ifdef Q_OS_UNIX
    // A socket exists but cannot be opened, for root too.
    QDir().mkpath(GuiTest::dataDir());
    const QByteArray socketPath = QFile::encodeName(fieldFile());
    sockaddr_un address {};
    if (socketPath.size() >= int(sizeof address.sun_path))
        QSKIP("build folder too deep for a socket path");
    address.sun_family = AF_UNIX;
    qstrcpy(address.sun_path, socketPath.constData());
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    QVERIFY(fd >= 0);
    QVERIFY(::bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0);
    ::close(fd);

    GuiTest::BoxAnswerer recorder(QMessageBox::Ok);
    QTest::ignoreMessage(QtDebugMsg,
                         QStringLiteral("无法打开文件： \"%1\"").arg(fieldFile()).toUtf8().constData());
    Quorbel window;
    QCOMPARE(criticalBoxes(recorder), QStringList(QStringLiteral("错误|无法打开文件\n路径：") + fieldFile()));
    QCOMPARE(window.fieldCatalogue().size(), 0);
    QCOMPARE(window.findChild<QTableWidget *>(QStringLiteral("tableWidget"))->columnCount(), 0);

    // Even once the file can be read again, this run never saw its fields and must not replace them.
    QVERIFY(QFile::remove(fieldFile()));
    QVERIFY(putBytes(fieldFile(), kOneField));
    window.findChild<QPushButton *>(QStringLiteral("addCol"))->click();
    window.findChild<QListWidget *>(QStringLiteral("fieldsList"))->setCurrentRow(0);
    window.findChild<QLineEdit *>(QStringLiteral("patternEdit"))->setText(QStringLiteral("x"));
    const QString refused =
        QStringLiteral("保存失败|启动时无法读取字段文件，为保护原有字段，未覆盖该文件\n路径：") + fieldFile();
    // The first refusal is a box; the second only keeps the status bar's warning.
    QTRY_COMPARE(recorder.boxes.size(), 2);
    QCOMPARE(criticalBoxes(recorder).mid(1), QStringList({ refused }));
    QVERIFY(saveWarning(window).contains(QStringLiteral("为保护原有字段")));
    QCOMPARE(bytesOf(fieldFile()), kOneField);
    QCOMPARE(window.fieldCatalogue().at(0).pattern, QStringLiteral("x"));
#else
    QSKIP("needs a socket file");
#endif
}

void TestFieldStorage::plainFileWhereDataBelongs()
{
    const QString plain = QCoreApplication::applicationDirPath() + QStringLiteral("/data");
    QVERIFY(putBytes(plain, "keep me"));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("not a directory")));
    GuiTest::BoxAnswerer recorder(QMessageBox::Ok);
    Quorbel window;
    window.findChild<QPushButton *>(QStringLiteral("addCol"))->click();
    window.findChild<QListWidget *>(QStringLiteral("fieldsList"))->setCurrentRow(0);
    QTest::keyClicks(window.findChild<QLineEdit *>(QStringLiteral("patternEdit")), QStringLiteral("ab"));
    // Said once at start-up; the add and each keystroke then only keep the status bar's warning.
    const QString why = QStringLiteral("数据目录的位置上有一个同名的文件，字段无法保存\n路径：") + plain;
    QCOMPARE(criticalBoxes(recorder), QStringList(QStringLiteral("错误|") + why));
    QCOMPARE(saveWarning(window),
             QStringLiteral("字段未保存：") + QString(why).replace(QLatin1Char('\n'), QLatin1Char(' ')));
    QCOMPARE(window.fieldCatalogue().at(0).pattern, QStringLiteral("ab"));
    QCOMPARE(bytesOf(plain), QByteArray("keep me"));
}

void TestFieldStorage::readOnlyDataDirectory()
{
#ifdef Q_OS_WIN
    QSKIP("a folder's read-only flag does not stop writing into it on Windows");
#endif
    QVERIFY(putBytes(fieldFile(), kOneField));
    GuiTest::BoxAnswerer recorder(QMessageBox::Ok);
    Quorbel window;
    QVERIFY(QFile::setPermissions(GuiTest::dataDir(), QFile::ReadOwner | QFile::ExeOwner));
    {
#ifdef Q_OS_LINUX
        WithoutPermissionOverride asAnyone;
        if (::geteuid() == 0 && !asAnyone.ok())
            QSKIP("root writes into read-only directories");
#elif defined(Q_OS_UNIX)
        if (::geteuid() == 0)
            QSKIP("root writes into read-only directories");
#endif
        window.findChild<QPushButton *>(QStringLiteral("addCol"))->click();
        window.findChild<QPushButton *>(QStringLiteral("addCol"))->click();
    }
    // One box; then the status bar says it, until a save works again.
    QCOMPARE(criticalBoxes(recorder),
             QStringList(QStringLiteral("保存失败|打开文件失败\n路径：") + fieldFile()));
    QCOMPARE(saveWarning(window), QStringLiteral("字段未保存：打开文件失败 路径：") + fieldFile());
    QCOMPARE(bytesOf(fieldFile()), kOneField);
    QVERIFY(
        QFile::setPermissions(GuiTest::dataDir(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    window.findChild<QPushButton *>(QStringLiteral("addCol"))->click();
    QCOMPARE(saveWarning(window), QString());
    QCOMPARE(bytesOf(fieldFile()), fieldsToText(window.fieldCatalogue().fields()).toUtf8());
    QCOMPARE(recorder.boxes.size(), 1);
}

void TestFieldStorage::unwritableFolderAtStart_data()
{
    QTest::addColumn<bool>("dataExists"); // read-only; else the folder beside the executable is
    QTest::newRow("read-only data folder") << true;
    QTest::newRow("data folder cannot be made") << false;
}

void TestFieldStorage::unwritableFolderAtStart()
{
#ifdef Q_OS_LINUX
    QFETCH(bool, dataExists);
    QVERIFY(!dataExists || putBytes(fieldFile(), kOneField));
    const QString locked = dataExists ? GuiTest::dataDir() : QCoreApplication::applicationDirPath();
    QVERIFY(QFile::setPermissions(locked, QFile::ReadOwner | QFile::ExeOwner));
    GuiTest::BoxAnswerer recorder(QMessageBox::Ok);
    QScopedPointer<Quorbel> window;
    {
        WithoutPermissionOverride asAnyone;
        window.reset(new Quorbel);
        window->findChild<QPushButton *>(QStringLiteral("addCol"))->click();
        QFile::setPermissions(locked, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        if (::geteuid() == 0 && !asAnyone.ok())
            QSKIP("root writes into read-only directories");
    }
    // Said once, at start-up, with the folder and what to do; the window works on, and the failing
    // save keeps to the status bar.
    QCOMPARE(window->fieldCatalogue().size(), dataExists ? 2 : 1);
    QVERIFY(!saveWarning(*window).isEmpty());
    QCOMPARE(criticalBoxes(recorder),
             QStringList(QStringLiteral("错误|程序所在的文件夹不可写入，字段无法保存。\n路径：")
                         + QDir::toNativeSeparators(QDir::cleanPath(GuiTest::dataDir()))
                         + QStringLiteral("\n请把 Quorbel 文件夹移到桌面或“文档”等可写的位置")));
#else
    QSKIP("tried on Linux, where root too can be kept out of a read-only folder");
#endif
}

void TestFieldStorage::failedWriteKeepsOldFile()
{
#ifdef Q_OS_UNIX
    // A file size limit fails the write like a full disk, for root too.
    QVERIFY(putBytes(fieldFile(), kOneField));
    GuiTest::BoxAnswerer recorder(QMessageBox::Ok);
    Quorbel window;
    window.findChild<QListWidget *>(QStringLiteral("fieldsList"))->setCurrentRow(0);
    rlimit saved {};
    QVERIFY(::getrlimit(RLIMIT_FSIZE, &saved) == 0);
    rlimit small = saved;
    small.rlim_cur = 1024;
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    QVERIFY(::setrlimit(RLIMIT_FSIZE, &small) == 0);
    window.findChild<QLineEdit *>(QStringLiteral("patternEdit"))->setText(QString(20000, QLatin1Char('x')));
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    QCOMPARE(criticalBoxes(recorder),
             QStringList(QStringLiteral("保存失败|写入文件失败\n路径：") + fieldFile()));
    QCOMPARE(bytesOf(fieldFile()), kOneField);
    QCOMPARE(GuiTest::dataFiles(), QStringList { "fields.txt" });
    QCOMPARE(window.fieldCatalogue().at(0).pattern.size(), 20000);
#else
    QSKIP("needs a file size limit");
#endif
}

// Installed (the uninstaller beside the program) into a folder that cannot take data/: the fields
// go to the user's folder without a word at start-up, and nothing is made beside the program.
void TestFieldStorage::installedCopyUsesUserFolder()
{
    QTemporaryDir tmp;
    const QString app = tmp.filePath(QStringLiteral("Programs/Quorbel"));
    const QString user = tmp.filePath(QStringLiteral("AppData/Quorbel/"));
    QVERIFY(putBytes(app + QStringLiteral("/uninstall.exe"), "MZ"));
    QVERIFY(QFile::setPermissions(app, QFile::ReadOwner | QFile::ExeOwner));
    Workspace *const beside = workspace;
    workspace = new Workspace(app, user);
    {
        GuiTest::BoxAnswerer recorder(QMessageBox::Ok);
        Quorbel window;
        QCOMPARE(window.fieldFilePath(), user + QStringLiteral("fields.txt"));
        window.findChild<QPushButton *>(QStringLiteral("addCol"))->click();
        QCOMPARE(recorder.boxes.size(), 0);
        QCOMPARE(saveWarning(window), QString());
        QCOMPARE(bytesOf(window.fieldFilePath()), fieldsToText(window.fieldCatalogue().fields()).toUtf8());
    }
    delete workspace;
    workspace = beside;
    QFile::setPermissions(app, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QCOMPARE(QDir(app).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
             QStringList(QStringLiteral("uninstall.exe")));
}

QTEST_MAIN(TestFieldStorage)
#include "tst_field_storage.moc"
