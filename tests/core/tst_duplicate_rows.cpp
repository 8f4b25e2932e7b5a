// The same person twice: what counts as the same value, which rows are marked and which row each
// names, over a table and over a stream of records.
#include "review/duplicate_rows.h"

#include <QtTest>

namespace {

const QStringList names { QStringLiteral("姓名"), QStringLiteral("手机"),     QStringLiteral("身份证"),
                          QStringLiteral("邮箱"), QStringLiteral("联系电话"), QStringLiteral("备注") };

// "row:column>other" per mark, "~" for a soft one.
QString described(const QVector<DuplicateMark> &marks)
{
    QStringList parts;
    for (const DuplicateMark &mark : marks)
        parts.append(QStringLiteral("%1:%2%3%4")
                         .arg(mark.row)
                         .arg(mark.column)
                         .arg(mark.soft ? "~" : ">")
                         .arg(mark.otherRow));
    return parts.join(QLatin1Char(' '));
}

} // namespace

class TestDuplicateRows : public QObject
{
    Q_OBJECT

private slots:
    void key_data();
    void key();
    void table_data();
    void table();
    void texts();
    void tracker();
    void indexFollowsChanges_data();
    void indexFollowsChanges();
};

void TestDuplicateRows::key_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("key");

    QTest::newRow("trimmed") << QStringLiteral(" \t13800138000\u3000") << QStringLiteral("13800138000");
    QTest::newRow("full-width digits and letters")
        << QStringLiteral("１３８００１３８０００") << QStringLiteral("13800138000");
    QTest::newRow("x made X") << QStringLiteral("11010519491231002ｘ")
                              << QStringLiteral("11010519491231002X");
    QTest::newRow("full-width at sign") << QStringLiteral("ａ＠ｂ．ｃｎ") << QStringLiteral("a@b.cn");
}

void TestDuplicateRows::key()
{
    QFETCH(QString, value);
    QFETCH(QString, key);
    QCOMPARE(duplicateKey(value), key);
}

void TestDuplicateRows::table_data()
{
    QTest::addColumn<QList<QStringList>>("rows");
    QTest::addColumn<QString>("marks");
    QTest::addColumn<int>("duplicated");

    QTest::newRow("no repeats") << QList<QStringList> { { "张三", "13800138000" }, { "李四", "13900139000" } }
                                << QString() << 0;
    QTest::newRow("a mobile three times: the first names the next, the others the first")
        << QList<QStringList> { { "张三", "13800138000" },
                                { "李四", "13900139000" },
                                { "张三丰", " 13800138000" },
                                { "", "１３８００１３８０００" } }
        << QStringLiteral("0:1>2 2:1>0 3:1>0") << 3;
    QTest::newRow("an ID number with x and X")
        << QList<QStringList> { { "", "", "11010519491231002x" }, { "", "", "11010519491231002X" } }
        << QStringLiteral("0:2>1 1:2>0") << 2;
    QTest::newRow("an ID number in groups, in the remark column")
        << QList<QStringList> { { "", "", "110105 19491231 002X" },
                                { "", "", "", "", "", "11010519491231002X" } }
        << QStringLiteral("0:2>1 1:5>0") << 2;
    QTest::newRow("a phone column meets the mobile column")
        << QList<QStringList> { { "", "13800138000" }, { "", "", "", "", "13800138000" } }
        << QStringLiteral("0:1>1 1:4>0") << 2;
    QTest::newRow("the same value twice in one row is no repeat")
        << QList<QStringList> { { "", "13800138000", "", "", "13800138000" } } << QString() << 0;
    QTest::newRow("a name alone is soft, and not counted")
        << QList<QStringList> { { "张三", "13800138000" }, { "张三 ", "13900139000" } }
        << QStringLiteral("0:0~1 1:0~0") << 0;
    QTest::newRow("a name beside a shared number is not marked")
        << QList<QStringList> { { "张三", "", "", "zs@example.com" }, { "张三", "", "", "zs@example.com" } }
        << QStringLiteral("0:3>1 1:3>0") << 2;
    QTest::newRow("a number found wherever it stands, an address whatever its case")
        << QList<QStringList> { { "13800138000", "", "", "ZS@Example.com" },
                                { "", "+86 138 0013 8000", "", "zs@example.com" } }
        << QStringLiteral("0:0>1 0:3>1 1:1>0 1:3>0") << 2;
    QTest::newRow("other fields and empty cells are not compared")
        << QList<QStringList> { { "", "", "", "", "", "同学" }, { "", "", "", "", "", "同学" } } << QString()
        << 0;
}

void TestDuplicateRows::table()
{
    QFETCH(QList<QStringList>, rows);
    QFETCH(QString, marks);
    QFETCH(int, duplicated);

    const QVector<DuplicateMark> found = findDuplicates(names, rows);
    QCOMPARE(described(found), marks);
    QCOMPARE(duplicatedRowCount(found), duplicated);
}

void TestDuplicateRows::texts()
{
    QCOMPARE(duplicateMarkText({ 0, 2, 11, false }, names), QStringLiteral("与第 12 行重复（身份证）"));
    QCOMPARE(duplicateMarkText({ 3, 0, 11, true }, names), QStringLiteral("与第 12 行同名"));
}

void TestDuplicateRows::tracker()
{
    // Each record learns only of earlier ones; the first of a pair has nothing to say yet.
    DuplicateTracker tracker(names);
    QCOMPARE(described(tracker.add({ "张三", "13800138000" })), QString());
    QCOMPARE(described(tracker.add({ "李四", "13900139000", "", "ls@example.com" })), QString());
    QCOMPARE(described(tracker.add({ "张三", " 13800138000", "", "ls@example.com" })),
             QStringLiteral("2:0~0 2:1>0 2:3>1"));
    QCOMPARE(described(tracker.add({ "", "", "", "", "13900139000" })), QStringLiteral("3:4>1"));
}

void TestDuplicateRows::indexFollowsChanges_data()
{
    // One change to a table of three rows: "+2" puts the row in before row 2, "-0" takes row 0 out
    // (with "+1" two rows, "-0" two rows when `cells` holds two), "=1" gives row 1 new cells.
    QTest::addColumn<QString>("change");
    QTest::addColumn<QList<QStringList>>("cells");
    QTest::addColumn<QString>("marks");

    QTest::newRow("added at the end") << "+3" << QList<QStringList> { { "王五", "13900139000" } }
                                      << QStringLiteral("0:1>2 1:1>3 2:1>0 3:1>1");
    QTest::newRow("inserted first: the rows below move down")
        << "+0" << QList<QStringList> { { "", "13800138000" } } << QStringLiteral("0:1>1 1:1>0 3:1>0");
    QTest::newRow("two inserted between a pair")
        << "+1" << QList<QStringList> { { "张三", "" }, { "", "", "", "", "13800138000" } }
        << QStringLiteral("0:1>2 1:0~0 2:4>0 4:1>0");
    QTest::newRow("the first of a pair taken out ends it") << "-0" << QList<QStringList> {} << QString();
    QTest::newRow("a row before a pair taken out")
        << "-1" << QList<QStringList> {} << QStringLiteral("0:1>1 1:1>0");
    QTest::newRow("an edit ends a repeat and makes one")
        << "=2" << QList<QStringList> { { "李四", "13700137000" } } << QStringLiteral("1:0~2 2:0~1");
    QTest::newRow("a shared number hides the shared name")
        << "=1" << QList<QStringList> { { "张三", "13800138000" } } << QStringLiteral("0:1>1 1:1>0 2:1>0");
}

void TestDuplicateRows::indexFollowsChanges()
{
    QFETCH(QString, change);
    QFETCH(QList<QStringList>, cells);
    QFETCH(QString, marks);

    QList<QStringList> rows { { "张三", "13800138000" }, { "李四", "13900139000" }, { "", "13800138000" } };
    const QVector<int> kinds = duplicateKinds(names);
    DuplicateIndex index(kinds);
    index.insertRows(0, int(rows.size()));
    for (int row = 0; row < rows.size(); ++row)
        index.setRow(row, duplicateKeys(kinds, rows.at(row)));

    const int at = change.mid(1).toInt();
    if (change.startsWith(QLatin1Char('+'))) {
        index.insertRows(at, int(cells.size()));
        for (int i = 0; i < cells.size(); ++i) {
            index.setRow(at + i, duplicateKeys(kinds, cells.at(i)));
            rows.insert(at + i, cells.at(i));
        }
    } else if (change.startsWith(QLatin1Char('-'))) {
        const int count = qMax(1, int(cells.size()));
        index.removeRows(at, count);
        rows.erase(rows.begin() + at, rows.begin() + at + count);
    } else {
        index.setRow(at, duplicateKeys(kinds, cells.first()));
        rows[at] = cells.first();
    }
    QCOMPARE(index.rowCount(), int(rows.size()));
    QCOMPARE(described(index.marks()), marks);
    // The index kept through the change says what one built afresh over the rows says.
    QCOMPARE(described(index.marks()), described(findDuplicates(names, rows)));
}

QTEST_GUILESS_MAIN(TestDuplicateRows)
#include "tst_duplicate_rows.moc"
