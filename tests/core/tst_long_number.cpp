// Which patterns bring the long-number note with a copy.
#include "records/long_number.h"

#include <QtTest>

class TestLongNumber : public QObject
{
    Q_OBJECT

private slots:
    void patterns_data();
    void patterns();
    void anyFieldCounts();
};

void TestLongNumber::patterns_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<bool>("expected");

    QTest::newRow("mobile") << "^1\\d{10}$" << true;
    QTest::newRow("student number") << "^20\\d{10,11}$" << true;
    QTest::newRow("identity card") << "^\\d{17}.$" << true;
    QTest::newRow("age") << "^\\d{1,2}$" << false;
    QTest::newRow("class") << "^[^\\x00-\\xff]{2,15}\\d{2,4}班?级?$" << false;
    QTest::newRow("name") << "^[^\\x00-\\xff]{2,4}$" << false;
    QTest::newRow("gender") << "[01男女]" << false;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("nine digits") << "^\\d{9}$" << false;
    QTest::newRow("literal digits only") << "^13800138000$" << false;
    QTest::newRow("open count") << "^\\d{12,}$" << true;
}

void TestLongNumber::patterns()
{
    QFETCH(QString, pattern);
    QFETCH(bool, expected);
    QCOMPARE(hasLongNumberField({ { QStringLiteral("f"), pattern } }), expected);
}

void TestLongNumber::anyFieldCounts()
{
    QVERIFY(!hasLongNumberField({}));
    const FieldDef age { QStringLiteral("年龄"), QStringLiteral("^\\d{1,2}$") };
    const FieldDef mobile { QStringLiteral("手机"), QStringLiteral("^1\\d{10}$") };
    QVERIFY(!hasLongNumberField({ age, age }));
    QVERIFY(hasLongNumberField({ age, mobile }));
    QVERIFY(hasLongNumberField({ mobile, age }));
    // A name alone never counts, only the pattern.
    QVERIFY(!hasLongNumberField({ { QStringLiteral("身份证"), QString() } }));
}

QTEST_GUILESS_MAIN(TestLongNumber)
#include "tst_long_number.moc"
