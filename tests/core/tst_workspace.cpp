// The data directory: its path, its creation, a user's file standing in its place, and its URL.
#include "workspace/workspace.h"

#include <QtTest>

class TestWorkspace : public QObject
{
    Q_OBJECT

private slots:
    void paths_data();
    void paths();
    void createsDataDirectory();
    void existingDirectoryUntouched();
    void plainFileNamedDataIsKept();
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

    const Workspace ws(base + suffix);
    QCOMPARE(ws.appDir, base + QStringLiteral("/"));
    QCOMPARE(ws.dataDir, base + QStringLiteral("/data/"));
    QVERIFY(!ws.dataDir.contains(QStringLiteral("//")));
}

void TestWorkspace::createsDataDirectory()
{
    QTemporaryDir tmp;
    // Missing parents are created too.
    const QString app = tmp.path() + QStringLiteral("/a/b");
    const Workspace ws(app);
    QVERIFY(QFileInfo(ws.dataDir).isDir());
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

    const Workspace ws(tmp.path());
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
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("the user's own notes");
    }
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("not a directory")));
    const Workspace ws(tmp.path());
    QVERIFY(QFileInfo(path).isFile());
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), QByteArray("the user's own notes"));

    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("not a directory")));
    QVERIFY(!ensureDirectory(ws.dataDir));
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
