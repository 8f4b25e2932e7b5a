// The table as spreadsheets take it, byte for byte: the clipboard's text and HTML, CSV, the workbook
// as an independent reader sees it, and exports that fail without touching the target.
#include "export/clipboard_html.h"
#include "export/csv_text.h"
#include "export/export_file.h"
#include "records/spreadsheet_text.h"
#include "tests/test_files.h"

#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

using Rows = QList<QStringList>;
Q_DECLARE_METATYPE(Rows)

namespace {

const QString kId = QStringLiteral("110101199003077578");
const Rows kRows { { QStringLiteral("张三"), kId, QStringLiteral("0123") },
                   { QStringLiteral("a<b & \"c\""), QStringLiteral("=1+1"), QString() } };
const QStringList kHeader { QStringLiteral("姓名"), QStringLiteral("身份证号"), QStringLiteral("学号") };

} // namespace

class TestSpreadsheetText : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(m_dir.isValid()); }
    void text_data();
    void text();
    void needsTextFormat();
    void clipboardHtmlMarksExactlyThoseCells();
    void csv();
    void workbookReadBack();
    void failureLeavesTargetAsItWas();
    void libreOfficeKeepsDigits();

private:
    QTemporaryDir m_dir;
};

void TestSpreadsheetText::text_data()
{
    QTest::addColumn<Rows>("rows");
    QTest::addColumn<QString>("expected");

    QTest::newRow("no rows") << Rows() << QString();
    QTest::newRow("rows without cells") << Rows { {}, {} } << QStringLiteral("\n\n");
    QTest::newRow("empty cells keep their tabs")
        << Rows { { QStringLiteral("a"), QString(), QStringLiteral("c") },
                  { QString(), QStringLiteral("b"), QString() } }
        << QStringLiteral("a\t\tc\n\tb\t\n");
    QTest::newRow("cells are not quoted or escaped")
        << Rows { { QStringLiteral("x\"y"), QStringLiteral(" 1,2 "), QStringLiteral("a\tb") } }
        << QStringLiteral("x\"y\t 1,2 \ta\tb\n");
}

void TestSpreadsheetText::text()
{
    QFETCH(Rows, rows);
    QFETCH(QString, expected);
    QCOMPARE(spreadsheetText(rows), expected);
}

void TestSpreadsheetText::needsTextFormat()
{
    const char *const marked[] = { "110101199003077578",
                                   "11010119900307757X",
                                   "11010119900307757x",
                                   "202012345678",
                                   "0123",
                                   " 0571 ",
                                   "=SUM(A1)",
                                   "+86",
                                   "-5",
                                   "@home" };
    const char *const plain[] = {
        "20201234567", "13812345678", "0", "0.5", "张三", "", "1234567890123Y", "１２３４５６７８９０１２"
    };
    for (const char *cell : marked)
        QVERIFY2(::needsTextFormat(QString::fromUtf8(cell)), cell);
    for (const char *cell : plain)
        QVERIFY2(!::needsTextFormat(QString::fromUtf8(cell)), cell);
}

void TestSpreadsheetText::clipboardHtmlMarksExactlyThoseCells()
{
    QCOMPARE(clipboardHtml({ { QStringLiteral("张三"), QStringLiteral("13812345678") } }), QString());
    QCOMPARE(clipboardHtml({}), QString());
    const QString marked = QStringLiteral("<td style='mso-number-format:\"\\@\"' sdnum=\"1033;0;@\">");
    QCOMPARE(clipboardHtml(kRows),
             QStringLiteral("<html><head><meta charset=\"utf-8\"></head><body>\n"
                            "<!--StartFragment--><table>\n<tr><td>张三</td>")
                 + marked + kId + QStringLiteral("</td>") + marked
                 + QStringLiteral("0123</td></tr>\n<tr><td>a&lt;b &amp; &quot;c&quot;</td>") + marked
                 + QStringLiteral("=1+1</td><td></td></tr>\n</table><!--EndFragment-->\n</body></html>\n"));
}

void TestSpreadsheetText::csv()
{
    QCOMPARE(csvBytes({ QStringLiteral("姓名") }, {}),
             QByteArray("\xEF\xBB\xBF\xE5\xA7\x93\xE5\x90\x8D\r\n"));
    const Rows rows { { QStringLiteral("1,2"), QStringLiteral("say \"hi\""), QStringLiteral("a\nb") },
                      { kId, QString(), QStringLiteral(" x ") },
                      {} };
    QCOMPARE(csvBytes({ QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c") }, rows),
             QByteArray("\xEF\xBB\xBF"
                        "a,b,c\r\n\"1,2\",\"say \"\"hi\"\"\",\"a\nb\"\r\n110101199003077578,, x \r\n\r\n"));
}

void TestSpreadsheetText::workbookReadBack()
{
    const QString path = m_dir.filePath(QStringLiteral("表格.xlsx"));
    QString reason;
    QVERIFY2(exportTable(path, ExportFormat::Xlsx, kHeader, kRows, &reason), qPrintable(reason));
    QString missing;
    const QByteArray book = TestFiles::workbookText(path, &missing);
    if (!missing.isEmpty())
        QSKIP(qPrintable(missing));
    // Every cell a string; columns as wide as their text, Chinese counted double, plus a margin.
    QCOMPARE(book,
             QByteArray("姓名\t身份证号\t学号\n张三\t110101199003077578\t0123\na<b & \"c\"\t=1+1\t\n"
                        "types s bold True True True freeze A2 widths 12 21 7\n"));
}

void TestSpreadsheetText::failureLeavesTargetAsItWas()
{
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("old.xlsx"));
    QVERIFY(TestFiles::putBytes(target, "old"));
    QDir(dir.path()).mkdir(QStringLiteral("folder.csv"));
    const QString tooLong(40000, QLatin1Char('9'));

    QString reason;
    QVERIFY(!exportTable(target, ExportFormat::Xlsx, kHeader, { { tooLong } }, &reason));
    QVERIFY2(reason.contains(QStringLiteral("32767")), qPrintable(reason));
    QVERIFY(
        !exportTable(dir.filePath(QStringLiteral("folder.csv")), ExportFormat::Csv, kHeader, kRows, &reason));
    QVERIFY(!reason.isEmpty());
    QCOMPARE(TestFiles::bytesOf(target), QByteArray("old"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
             QStringList({ "folder.csv", "old.xlsx" }));
    QVERIFY(exportTable(target, ExportFormat::Csv, kHeader, kRows, &reason));
    QCOMPARE(TestFiles::bytesOf(target), csvBytes(kHeader, kRows));
    QCOMPARE(exportFormatOf(QStringLiteral("a.CSV"), ExportFormat::Xlsx), ExportFormat::Csv);
    QCOMPARE(exportFormatOf(QStringLiteral("a.txt"), ExportFormat::Csv), ExportFormat::Csv);
    QCOMPARE(exportFormatOf(QStringLiteral("csv"), ExportFormat::Xlsx), ExportFormat::Xlsx);
}

void TestSpreadsheetText::libreOfficeKeepsDigits()
{
    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (soffice.isEmpty())
        QSKIP("soffice not found; install libreoffice-calc to check the paste in Calc");
    const QString html = m_dir.filePath(QStringLiteral("paste.html"));
    QVERIFY(TestFiles::putBytes(html, clipboardHtml(kRows).toUtf8()));
    QProcess office;
    // A profile of its own, so that a running office or a first-start wizard does not interfere.
    office.start(soffice,
                 { QStringLiteral("-env:UserInstallation=")
                       + QUrl::fromLocalFile(m_dir.filePath(QStringLiteral("profile"))).toString(),
                   QStringLiteral("--headless"), QStringLiteral("--infilter=HTML (StarCalc)"),
                   QStringLiteral("--convert-to"), QStringLiteral("csv:Text - txt - csv (StarCalc):44,34,76"),
                   QStringLiteral("--outdir"), m_dir.path(), html });
    QVERIFY(office.waitForFinished(180000));
    QCOMPARE(TestFiles::bytesOf(m_dir.filePath(QStringLiteral("paste.csv"))).trimmed(),
             QByteArray("张三,110101199003077578,0123\n\"a<b & \"\"c\"\"\",=1+1,"));
}

QTEST_GUILESS_MAIN(TestSpreadsheetText)
#include "tst_spreadsheet_text.moc"
