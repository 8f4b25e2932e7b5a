// Whole-file reading and the safe writer, with the failures it must report.
#include "fields/text_file.h"
#include "tests/test_files.h"

#include <QtTest>

namespace {

QTextCodec *utf8()
{
    return QTextCodec::codecForName("utf-8");
}

using TestFiles::bytesOf;
using TestFiles::putBytes;

// Takes a few bytes, then refuses, like a full disk.
class FullDevice final : public QIODevice
{
public:
    explicit FullDevice(qint64 room)
        : m_room(room)
    {
        open(QIODevice::WriteOnly);
    }

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *, qint64 size) override
    {
        const qint64 taken = qMin(size, m_room);
        m_room -= taken;
        return taken > 0 ? taken : -1;
    }

private:
    qint64 m_room;
};

} // namespace

class TestTextFile : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void read_data();
    void read();
    void readFailure();
    void saveLeftovers();
    void writeExactBytes();
    void openFailureKeepsWhatIsThere();
    void shortWriteFails();

private:
    QScopedPointer<QTemporaryDir> m_dir;
};

void TestTextFile::init()
{
    // A fresh directory per test: some tests leave a directory where a file would go.
    m_dir.reset(new QTemporaryDir);
    QVERIFY(m_dir->isValid());
}

void TestTextFile::read_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    // What readUserTextFile makes of the same bytes: "utf" when the same text, "gb:" and its text, or
    // "none" when it refuses.
    QTest::addColumn<QString>("user");

    const QString none = QStringLiteral("none");
    QTest::newRow("zero bytes") << QByteArray() << ""
                                << "utf";
    QTest::newRow("UTF-8") << QByteArray("<name>姓名</name>") << "<name>姓名</name>"
                           << "utf";
    QTest::newRow("byte-order mark dropped") << QByteArray("\xEF\xBB\xBF姓名") << "姓名"
                                             << "utf";
    QTest::newRow("CR LF becomes LF, lone CR dropped") << QByteArray("a\r\nb\rc") << "a\nbc"
                                                       << "utf";
    QTest::newRow("UTF-16 by its mark") << QByteArray("\xFF\xFE\xD3\x59\x0D\x54", 6) << "姓名"
                                        << "utf";
    // 姓名 in GBK: readTextFile always decodes UTF-8, so replacement characters and no complaint.
    const QString lost(4, QChar::ReplacementCharacter);
    QTest::newRow("GBK") << QByteArray("\xD0\xD5\xC3\xFB\r\n") << lost + "\n"
                         << "gb:姓名\n";
    QTest::newRow("GBK after a UTF-8 mark") << QByteArray("\xEF\xBB\xBF\xD0\xD5\xC3\xFB") << lost << none;
    QTest::newRow("GB18030 four-byte sequence") << QByteArray("\x81\x30\x81\x30") << "\uFFFD0\uFFFD0"
                                                << "gb:\u0080";
    QTest::newRow("neither") << QByteArray("a\x80") << "a\uFFFD" << none;
    QTest::newRow("UTF-8 cut off, not GB18030") << QByteArray("a\xE5") << "a" << none;
}

void TestTextFile::read()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QFETCH(QString, user);

    const QString path = m_dir->filePath(QStringLiteral("in.txt"));
    QVERIFY(putBytes(path, bytes));
    QVERIFY(fileExists(path));
    QString got = QStringLiteral("stale");
    QString error;
    QVERIFY(readTextFile(path, utf8(), &got, &error));
    QCOMPARE(got, text);

    if (user == QLatin1String("none"))
        QTest::ignoreMessage(
            QtDebugMsg,
            QStringLiteral("既非 UTF-8 也非 GB18030 编码： \"%1\"").arg(path).toUtf8().constData());
    else if (user != QLatin1String("utf"))
        QTest::ignoreMessage(QtDebugMsg,
                             QStringLiteral("按 GB18030 编码读取： \"%1\"").arg(path).toUtf8().constData());
    TextEncoding encoding = TextEncoding::Unicode;
    QString outcome = QStringLiteral("none");
    if (readUserTextFile(path, &got, &encoding, &error))
        outcome = encoding == TextEncoding::Gb18030 ? QStringLiteral("gb:") + got
            : got == text                           ? QStringLiteral("utf")
                                                    : QStringLiteral("utf:") + got;
    QCOMPARE(outcome, user);
}

void TestTextFile::saveLeftovers()
{
    // The atomic save's temporary files are the file's name, a dot and six random letters. Word-like
    // names, other lengths or characters, other files' leftovers and directories stay. No two names
    // differ in case alone, so the table holds where file names ignore case.
    const QStringList kept { "fields.txt",        "fields.txt.bak",    "fields.txt.backup",
                             "fields.txt.Origin", "fields.txt.SAVING", "fields.txt.aBcDe",
                             "fields.txt.aB1DeF", "other.txt.aBcDeF",  "fields.txt.xYzAbC" };
    for (const QString &name : kept + QStringList { "fields.txt.unfIvU", "fields.txt.tABLES" })
        QVERIFY(name.endsWith("xYzAbC") ? QDir(m_dir->path()).mkdir(name)
                                        : putBytes(m_dir->filePath(name), "x"));
    QTest::ignoreMessage(QtDebugMsg, QRegularExpression(QStringLiteral("已删除.*unfIvU")));
    QTest::ignoreMessage(QtDebugMsg, QRegularExpression(QStringLiteral("已删除.*tABLES")));
    QCOMPARE(removeSaveLeftovers(m_dir->filePath(QStringLiteral("fields.txt"))).size(), 2);
    const QStringList left = QDir(m_dir->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    QCOMPARE(QSet<QString>(left.begin(), left.end()), QSet<QString>(kept.begin(), kept.end()));
}

void TestTextFile::readFailure()
{
    const QString missing = m_dir->filePath(QStringLiteral("missing.txt"));
    QVERIFY(!fileExists(missing));
    // A directory exists but cannot be read as a file, for root too.
    const QString directory = m_dir->filePath(QStringLiteral("fields.txt"));
    QVERIFY(QDir().mkpath(directory));
    QVERIFY(fileExists(directory));

    for (const QString &path : { missing, directory }) {
        // The message is UTF-8, which qPrintable gives only where the local encoding is UTF-8.
        QTest::ignoreMessage(QtDebugMsg,
                             QStringLiteral("无法打开文件： \"%1\"").arg(path).toUtf8().constData());
        QString text = QStringLiteral("stale");
        QString error;
        QVERIFY(!readTextFile(path, utf8(), &text, &error));
        QVERIFY(text.isEmpty());
        QCOMPARE(error, QStringLiteral("无法打开文件\n路径：%1").arg(path));
    }
}

void TestTextFile::writeExactBytes()
{
    // A Windows user's folder: non-ASCII and a space, where a narrow-character API would fail.
    const QDir folder(m_dir->filePath(QStringLiteral("用户/张 三/Quorbel/data")));
    const QString path = folder.filePath(QStringLiteral("fields.txt"));
    QVERIFY(putBytes(path, "previous, longer content")); // replaced, which a plain rename refuses on Windows
    QString error;
    QVERIFY(writeTextFile(path, QStringLiteral("姓名%1\n"), utf8(), &error));
    QCOMPARE(bytesOf(path), QByteArray("\xE5\xA7\x93\xE5\x90\x8D%1\n")); // no BOM, no CR
    QVERIFY(writeTextFile(path, QString(), utf8(), &error));
    QCOMPARE(QFileInfo(path).size(), 0);
    QCOMPARE(folder.entryList(QDir::Files), QStringList { "fields.txt" });
}

void TestTextFile::openFailureKeepsWhatIsThere()
{
    // Both fail for root too: no temporary file can be made in a plain file, nor renamed over a directory.
    const QString plain = m_dir->filePath(QStringLiteral("data"));
    QVERIFY(putBytes(plain, "keep me"));
    const QString directory = m_dir->filePath(QStringLiteral("fields.txt"));
    QVERIFY(QDir().mkpath(directory));

    for (const QString &path : QStringList { plain + QStringLiteral("/fields.txt"), directory }) {
        QString error;
        QVERIFY(!writeTextFile(path, QStringLiteral("<field></field>"), utf8(), &error));
        QCOMPARE(error, QStringLiteral("打开文件失败\n路径：%1").arg(path));
    }
    QCOMPARE(bytesOf(plain), QByteArray("keep me"));
    QVERIFY(QFileInfo(directory).isDir());
}

// The failed write through a real file, and the old file kept, are checked through the window.
void TestTextFile::shortWriteFails()
{
    FullDevice device(3);
    QVERIFY(!writeTextTo(device, QStringLiteral("姓名"), utf8()));
    FullDevice roomy(6);
    QVERIFY(writeTextTo(roomy, QStringLiteral("姓名"), utf8()));
}

QTEST_GUILESS_MAIN(TestTextFile)
#include "tst_text_file.moc"
