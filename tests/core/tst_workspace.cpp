// The data directory: which folder holds it, its creation, a user's file standing in its place, and
// its URL.
#include "tests/test_files.h"
#include "tests/without_permission_override.h"
#include "workspace/workspace.h"

#include <QtTest>

using TestFiles::bytesOf;
using TestFiles::putBytes;

class TestWorkspace : public QObject
{
    Q_OBJECT

private slots:
    void paths_data();
    void paths();
    void createsDataDirectory();
    void existingDirectoryUntouched();
    void plainFileNamedDataIsKept();
    void chosenFolder_data();
    void chosenFolder();
    void userDataFolderName();
    void runningApplicationDirectory();
    void directoryUrls_data();
    void directoryUrls();
};

void TestWorkspace::paths_data()
{
    QTest::addColumn<QString>("suffix");
    QTest::newRow("without slash") << QString();
    QTest::newRow("with slash") << QStringLiteral("/");
}

void TestWorkspace::paths()
{
    QFETCH(QString, suffix);
    QTemporaryDir tmp;
    QVERIFY(tmp.isValid());
    const QString base = tmp.path() + QStringLiteral("/Tools");
    QVERIFY(QDir().mkpath(base));

    const Workspace ws(base + suffix, tmp.path() + QStringLiteral("/user/"));
    QCOMPARE(ws.appDir, base + QStringLiteral("/"));
    QCOMPARE(ws.dataDir, base + QStringLiteral("/data/"));
    QVERIFY(ws.portable());
    QVERIFY(!ws.dataDir.contains(QStringLiteral("//")));
}

void TestWorkspace::createsDataDirectory()
{
    QTemporaryDir tmp;
    // Missing parents are created too: the user's folder may be the first in ~/.local/share.
    const QString user = tmp.path() + QStringLiteral("/share/Quorbel/");
    QVERIFY(putBytes(tmp.path() + QStringLiteral("/bin/uninstall.exe"), "MZ"));
    const Workspace ws(tmp.path() + QStringLiteral("/bin"), user);
    QCOMPARE(ws.dataDir, user);
    QVERIFY(QFileInfo(user).isDir());
    QVERIFY(ensureDirectory(ws.dataDir));
}

void TestWorkspace::existingDirectoryUntouched()
{
    QTemporaryDir tmp;
    QVERIFY(QDir(tmp.path()).mkdir(QStringLiteral("data")));
    const QString file = tmp.path() + QStringLiteral("/data/fields.txt");
    {
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("<field><name>x</name><pattern></pattern></field>");
    }
    const QDateTime before = QFileInfo(file).lastModified();

    const Workspace ws(tmp.path(), tmp.path() + QStringLiteral("/user/"));
    QFile f(file);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), QByteArray("<field><name>x</name><pattern></pattern></field>"));
    QCOMPARE(QFileInfo(file).lastModified(), before);
    QCOMPARE(QDir(ws.dataDir).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
             QStringList { "fields.txt" });
}

void TestWorkspace::plainFileNamedDataIsKept()
{
    QTemporaryDir tmp;
    const QString path = tmp.path() + QStringLiteral("/data");
    QVERIFY(putBytes(path, "the user's own notes"));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("not a directory")));
    QVERIFY(!ensureDirectory(path + QStringLiteral("/")));
    QCOMPARE(bytesOf(path), QByteArray("the user's own notes"));
}

// Which folder holds the data, and that choosing moves, copies and deletes nothing.
void TestWorkspace::chosenFolder_data()
{
    QTest::addColumn<QString>("setting");
    QTest::addColumn<bool>("portable");
    QTest::newRow("writable, no data/ yet") << "fresh" << true;
    QTest::newRow("writable data/ with fields") << "fields" << true;
    QTest::newRow("program folder not writable") << "locked folder" << false;
    QTest::newRow("data/ not writable") << "locked data" << false;
    QTest::newRow("a plain file in the way") << "plain file" << false;
    QTest::newRow("the setup's uninstaller beside") << "uninstaller" << false;
    QTest::newRow("installed in bin/ beside share/") << "menu entry" << false;
    QTest::newRow("no user folder named") << "no user folder" << true;
}

void TestWorkspace::chosenFolder()
{
    QFETCH(QString, setting);
    QFETCH(bool, portable);
    QTemporaryDir tmp;
    const QString app = tmp.path() + QStringLiteral("/prefix/bin/");
    const QString user =
        setting == QLatin1String("no user folder") ? QString() : tmp.path() + QStringLiteral("/user/");
    const QByteArray fields("<field><name>x</name><pattern></pattern></field>");
    QVERIFY(QDir().mkpath(app));
    if (setting == QLatin1String("fields") || setting == QLatin1String("locked data"))
        QVERIFY(putBytes(app + QStringLiteral("data/fields.txt"), fields));
    if (setting == QLatin1String("plain file"))
        QVERIFY(putBytes(app + QStringLiteral("data"), "notes"));
    if (setting == QLatin1String("uninstaller"))
        QVERIFY(putBytes(app + QStringLiteral("uninstall.exe"), "MZ"));
    if (setting == QLatin1String("menu entry"))
        QVERIFY(putBytes(tmp.path() + QStringLiteral("/prefix/share/applications/quorbel.desktop"),
                         "[Desktop Entry]"));
    const QString locked = setting == QLatin1String("locked folder") ? app
        : setting == QLatin1String("locked data")                    ? app + QStringLiteral("data")
                                                                     : QString();
#ifndef Q_OS_LINUX
    if (!locked.isEmpty())
        QSKIP("tried on Linux, where root too can be kept out of a read-only folder");
#endif
    if (!locked.isEmpty())
        QVERIFY(QFile::setPermissions(locked, QFile::ReadOwner | QFile::ExeOwner));

    QString chosen;
    {
#ifdef Q_OS_LINUX
        WithoutPermissionOverride asAnyone;
        if (!locked.isEmpty() && ::geteuid() == 0 && !asAnyone.ok())
            QSKIP("root writes into read-only directories");
#endif
        const Workspace ws(app, user);
        QCOMPARE(ws.portable(), portable);
        chosen = ws.dataDir;
        QCOMPARE(chooseDataDirectory(app, user), chosen); // what quorbel-sort reads
    }
    if (!locked.isEmpty())
        QVERIFY(QFile::setPermissions(locked, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));

    QCOMPARE(chosen, portable ? app + QStringLiteral("data/") : user);
    QVERIFY(QFileInfo(chosen).isDir());
    // Nothing moved or copied: the user's folder starts empty, the program's data/ keeps its file.
    if (!portable)
        QCOMPARE(QDir(user).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList());
    if (setting == QLatin1String("fields") || setting == QLatin1String("locked data"))
        QCOMPARE(bytesOf(app + QStringLiteral("data/fields.txt")), fields);
    if (setting == QLatin1String("plain file"))
        QCOMPARE(bytesOf(app + QStringLiteral("data")), QByteArray("notes"));
    // No probe file is left behind.
    QCOMPARE(QDir(app).entryList({ QStringLiteral(".write-check*") }, QDir::Hidden | QDir::Files),
             QStringList());
}

void TestWorkspace::userDataFolderName()
{
    const QString testName = QCoreApplication::applicationName();
    QCoreApplication::setApplicationName(QStringLiteral("Quorbel"));
    const QString dir = userDataDirectory();
    QCoreApplication::setApplicationName(testName);
    QVERIFY(dir.endsWith(QStringLiteral("/Quorbel/")));
#ifdef Q_OS_WIN
    QCOMPARE(QDir::toNativeSeparators(dir), qEnvironmentVariable("APPDATA") + QStringLiteral("\\Quorbel\\"));
#else
    QCOMPARE(dir,
             QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
                 + QStringLiteral("/Quorbel/"));
#endif
}

void TestWorkspace::runningApplicationDirectory()
{
    const Workspace ws;
    QCOMPARE(ws.appDir, QCoreApplication::applicationDirPath() + QStringLiteral("/"));
    QVERIFY(QFileInfo(ws.dataDir).isDir());
    QDir(ws.dataDir).removeRecursively();
}

void TestWorkspace::directoryUrls_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("urlPath");
    QTest::newRow("plain") << "/opt/quorbel/data/"
                           << "/opt/quorbel/data/";
    QTest::newRow("space and Chinese") << "/home/李 雷/我的 工具/data/"
                                       << "/home/李 雷/我的 工具/data/";
    QTest::newRow("hash and percent") << "/srv/a#b/100%/data/"
                                      << "/srv/a#b/100%/data/";
    // Read as a bare URL this would have the scheme "c".
    QTest::newRow("drive letter") << "C:/Tools/data/"
                                  << "/C:/Tools/data/";
}

void TestWorkspace::directoryUrls()
{
    QFETCH(QString, path);
    QFETCH(QString, urlPath);
    const QUrl url = directoryUrl(path);
    QVERIFY(url.isValid());
    QCOMPARE(url.scheme(), QStringLiteral("file"));
    QVERIFY(url.fragment().isEmpty());
    QCOMPARE(url.path(), urlPath);
#ifdef Q_OS_WIN
    QCOMPARE(url.toLocalFile(), path);
#endif
    // The encoded form carries no raw space or "#" that a desktop handler could misread.
    const QByteArray encoded = url.toEncoded();
    QVERIFY(!encoded.contains(' '));
    QCOMPARE(encoded.count('#'), 0);
}

QTEST_GUILESS_MAIN(TestWorkspace)
#include "tst_workspace.moc"
