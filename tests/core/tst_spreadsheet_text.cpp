// The spreadsheet text built from rows of cells, byte for byte.
#include "records/spreadsheet_text.h"

#include <QtTest>

using Rows = QList<QStringList>;
Q_DECLARE_METATYPE(Rows)

class TestSpreadsheetText : public QObject
{
    Q_OBJECT

private slots:
    void text_data();
    void text();
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

QTEST_GUILESS_MAIN(TestSpreadsheetText)
#include "tst_spreadsheet_text.moc"
