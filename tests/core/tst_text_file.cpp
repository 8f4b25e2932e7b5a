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

    QTest::newRow("zero bytes") << QByteArray() << "";
    QTest::newRow("UTF-8") << QByteArray("<name>姓名</name>") << "<name>姓名</name>";
    QTest::newRow("byte-order mark dropped") << QByteArray("\xEF\xBB\xBF姓名") << "姓名";
    QTest::newRow("CR LF becomes LF") << QByteArray("a\r\nb\r\n") << "a\nb\n";
    // 姓名 in GBK: always decoded as UTF-8, so replacement characters and no complaint.
    QTest::newRow("not UTF-8") << QByteArray("\xD0\xD5\xC3\xFB") << QString(4, QChar::ReplacementCharacter);
}

void TestTextFile::read()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);

    const QString path = m_dir->filePath(QStringLiteral("in.txt"));
    QVERIFY(putBytes(path, bytes));
    QVERIFY(fileExists(path));
    QString got = QStringLiteral("stale");
    QString error;
    QVERIFY(readTextFile(path, utf8(), &got, &error));
    QCOMPARE(got, text);
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
