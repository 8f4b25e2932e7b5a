// Importing a list from a text file: every encoding it may come in, and every refusal.
#include "batch/text_import.h"
#include "tests/test_files.h"

#include <QTextCodec>
#include <QtTest>

namespace {

const QString sample = QStringLiteral("张三 13800138000\r\n\r\n李四\u3000女\r\n");

// The sample in that encoding, with a byte-order mark when asked for.
QByteArray encoded(const char *codec, bool mark)
{
    QTextCodec::ConverterState state(QTextCodec::IgnoreHeader);
    const QString text = (mark ? QStringLiteral("\uFEFF") : QString()) + sample;
    return QTextCodec::codecForName(codec)->fromUnicode(text.constData(), text.size(), &state);
}

} // namespace

class TestTextImport : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(m_dir.isValid()); }
    void encodings_data();
    void encodings();
    void refusals_data();
    void refusals();

private:
    QTemporaryDir m_dir;
};

void TestTextImport::encodings_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("encoding");

    QTest::newRow("UTF-8") << encoded("UTF-8", false) << QStringLiteral("UTF-8");
    QTest::newRow("UTF-8 with a mark") << encoded("UTF-8", true) << QStringLiteral("UTF-8");
    QTest::newRow("UTF-16LE") << encoded("UTF-16LE", true) << QStringLiteral("UTF-16LE");
    QTest::newRow("UTF-16BE") << encoded("UTF-16BE", true) << QStringLiteral("UTF-16BE");
    QTest::newRow("UTF-32LE") << encoded("UTF-32LE", true) << QStringLiteral("UTF-32LE");
    QTest::newRow("UTF-32BE") << encoded("UTF-32BE", true) << QStringLiteral("UTF-32BE");
    QTest::newRow("GB18030 without a mark") << encoded("GB18030", false) << QStringLiteral("GB18030");
}

void TestTextImport::encodings()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, encoding);

    const QString path = m_dir.filePath(QStringLiteral("名单.txt"));
    QVERIFY(TestFiles::putBytes(path, bytes));
    ImportedText imported;
    QString errorText;
    QVERIFY2(importTextFile(path, &imported, &errorText), qPrintable(errorText));
    QCOMPARE(imported.text, QString(sample).remove(QLatin1Char('\r')));
    QCOMPARE(imported.encoding, encoding);
}

void TestTextImport::refusals_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<qint64>("limit");
    QTest::addColumn<QString>("why");

    QTest::newRow("over the size limit") << QByteArray(1024 * 1024 + 1, 'a') << qint64(1024 * 1024)
                                         << QStringLiteral("文件大于 1 MB，过大无法导入");
    QTest::newRow("NUL bytes without a wide mark") << QByteArray("张三\0\0\0李四", 11) << importSizeLimit
                                                   << QStringLiteral("这不是文本文件（含有空字节）");
    QByteArray controls;
    for (int i = 0; i < 400; ++i)
        controls += char(1 + i % 8);
    QTest::newRow("mostly control bytes") << QByteArray("张三 ") + controls << importSizeLimit
                                          << QStringLiteral("这不是文本文件（大部分内容无法解读）");
    QTest::newRow("valid in neither encoding") << QByteArray("\x81\x20\x82\x20\xFF\xFF") << importSizeLimit
                                               << QStringLiteral("这不是文本文件（大部分内容无法解读）");
    QTest::newRow("only blank lines and full-width spaces")
        << QByteArray(" \r\n\xe3\x80\x80\n\t\n") << importSizeLimit << QStringLiteral("文件里没有文字");
    QTest::newRow("a folder") << QByteArray() << importSizeLimit
                              << QStringLiteral("找不到文件，或它不是普通文件");
}

void TestTextImport::refusals()
{
    QFETCH(QByteArray, bytes);
    QFETCH(qint64, limit);
    QFETCH(QString, why);

    QString path = m_dir.filePath(QStringLiteral("list.txt"));
    if (bytes.isEmpty())
        path = m_dir.path();
    else
        QVERIFY(TestFiles::putBytes(path, bytes));
    ImportedText imported;
    imported.text = QStringLiteral("earlier");
    QString errorText;
    QVERIFY(!importTextFile(path, &imported, &errorText, limit));
    QCOMPARE(errorText, why + QStringLiteral("，未添加任何记录\n路径：") + path);
    QVERIFY(imported.text.isEmpty());
}

QTEST_GUILESS_MAIN(TestTextImport)
#include "tst_text_import.moc"
