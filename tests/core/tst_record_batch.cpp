// A pasted list cut into records: the three modes, and what 自动 chooses and says.
#include "batch/record_batch.h"
#include "fields/known_fields.h"

#include <QtTest>

Q_DECLARE_METATYPE(BatchSplit)

namespace {

QList<FieldDef> presetFields()
{
    QList<FieldDef> fields;
    for (const char *name : { "姓名", "手机", "邮箱" }) {
        const QString n = QString::fromUtf8(name);
        fields.append({ n, presetPattern(n) });
    }
    return fields;
}

} // namespace

class TestRecordBatch : public QObject
{
    Q_OBJECT

private slots:
    void split_data();
    void split();
};

void TestRecordBatch::split_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<BatchSplit>("mode");
    QTest::addColumn<QStringList>("records");
    QTest::addColumn<BatchSplit>("used");
    QTest::addColumn<QString>("reason");

    const QString blocks = QStringLiteral("张三 13800138000\n  \t\n李四\n13900139000\n\u3000\n\n王五");
    QTest::newRow("auto: blank lines of spaces and U+3000 part records")
        << blocks << BatchSplit::Auto << QStringList { "张三 13800138000", "李四\n13900139000", "王五" }
        << BatchSplit::Blocks << QStringLiteral("按空行分为 3 条");
    QTest::newRow("auto: CR LF") << QStringLiteral("\r\n张三\r\n13800138000\r\n\r\n李四\r\n13900139000\r\n")
                                 << BatchSplit::Auto
                                 << QStringList { "张三\n13800138000", "李四\n13900139000" }
                                 << BatchSplit::Blocks << QStringLiteral("按空行分为 2 条");
    QTest::newRow("auto: a single line")
        << QStringLiteral("  张三 13800138000 zs@example.com\n\n") << BatchSplit::Auto
        << QStringList { "  张三 13800138000 zs@example.com" } << BatchSplit::Blocks
        << QStringLiteral("只有一行，作为 1 条");
    const QString person = QStringLiteral("姓名：张三\n手机：13800138000\n邮箱：zs@example.com");
    QTest::newRow("auto: one person over lines without blank lines")
        << person << BatchSplit::Auto << QStringList { person } << BatchSplit::Blocks
        << QStringLiteral("没有空行，多数行只含一项信息，整段作为 1 条");
    const QString list =
        QStringLiteral("张三 13800138000\r\n李四，13900139000\n备注\n王五 13700137000 ww@example.com");
    QTest::newRow("auto: most lines hold two values")
        << list << BatchSplit::Auto
        << QStringList { "张三 13800138000", "李四，13900139000", "备注", "王五 13700137000 ww@example.com" }
        << BatchSplit::Lines << QStringLiteral("每行一条，共 4 条（没有空行，多数行含两项以上可识别的信息）");
    QTest::newRow("auto: half the lines is not most")
        << QStringLiteral("张三 13800138000\n备注") << BatchSplit::Auto
        << QStringList { "张三 13800138000\n备注" } << BatchSplit::Blocks
        << QStringLiteral("没有空行，多数行只含一项信息，整段作为 1 条");
    QTest::newRow("auto: nothing but blanks")
        << QStringLiteral(" \n\u3000\r\n") << BatchSplit::Auto << QStringList() << BatchSplit::Blocks
        << QStringLiteral("没有可添加的文字");
    QTest::newRow("blank lines chosen for a list")
        << list << BatchSplit::Blocks
        << QStringList { "张三 13800138000\n李四，13900139000\n备注\n王五 13700137000 ww@example.com" }
        << BatchSplit::Blocks << QStringLiteral("按空行分为 1 条");
    QTest::newRow("lines chosen for blocks")
        << blocks << BatchSplit::Lines << QStringList { "张三 13800138000", "李四", "13900139000", "王五" }
        << BatchSplit::Lines << QStringLiteral("每行一条，共 4 条");
    QTest::newRow("auto: a numbered list loses its numbers")
        << QStringLiteral("1. 张三 13800138000\n2、李四 13900139000\n(3) 王五 13700137000\n10.5 13600136000")
        << BatchSplit::Auto
        << QStringList { "张三 13800138000", "李四 13900139000", "王五 13700137000", "10.5 13600136000" }
        << BatchSplit::Lines << QStringLiteral("每行一条，共 4 条（没有空行，多数行含两项以上可识别的信息）");
    QTest::newRow("blocks: one block starting with a number keeps it")
        << QStringLiteral("张三 13800138000\n\n3、李四 13900139000\n\n王五") << BatchSplit::Blocks
        << QStringList { "张三 13800138000", "3、李四 13900139000", "王五" } << BatchSplit::Blocks
        << QStringLiteral("按空行分为 3 条");
    QTest::newRow("lines: CR alone ends a line")
        << QStringLiteral("张三\r李四\r\r王五") << BatchSplit::Lines << QStringList { "张三", "李四", "王五" }
        << BatchSplit::Lines << QStringLiteral("每行一条，共 3 条");
}

void TestRecordBatch::split()
{
    QFETCH(QString, text);
    QFETCH(BatchSplit, mode);
    QFETCH(QStringList, records);
    QFETCH(BatchSplit, used);
    QFETCH(QString, reason);

    const BatchRecords batch = splitBatch(text, mode, presetFields());
    QCOMPARE(batch.texts, records);
    QCOMPARE(batch.used, used);
    QCOMPARE(batch.reason, reason);
}

QTEST_GUILESS_MAIN(TestRecordBatch)
#include "tst_record_batch.moc"
