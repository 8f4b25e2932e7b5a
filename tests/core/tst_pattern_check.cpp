// The pattern limits: each bound just inside and just outside, and syntax that hides groups or counts.
#include "engine/pattern_check.h"

#include <QtTest>

class TestPatternCheck : public QObject
{
    Q_OBJECT

private slots:
    void limits_data();
    void limits();
};

void TestPatternCheck::limits_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("reason"); // its start; empty for a pattern within the limits
    QTest::addColumn<int>("longestToken");

    const QString tooLong = QStringLiteral("长度");
    const QString tooDeep = QStringLiteral("括号");
    const QString tooMany = QStringLiteral("重复");
    const QString tooLinked = QStringLiteral("可省略");
    const auto nested = [](int depth) -> QString { return QString(depth, '(') + 'a' + QString(depth, ')'); };
    QTest::newRow("e-mail preset") << QStringLiteral(
        "^[A-Za-z\\d]+([-_.][A-Za-z\\d]+)*@([A-Za-z\\d]+[-.])+[A-Za-z\\d]{2,4}$")
                                   << QString() << 4096;
    QTest::newRow("10,000 characters") << QString(10000, 'a') << QString() << 4096;
    QTest::newRow("10,001 characters") << QString(10001, 'a') << tooLong << 4096;
    QTest::newRow("20 MB") << QString(20000000, 'a') << tooLong << 4096;
    QTest::newRow("depth 100") << nested(100) << QString() << 4096;
    QTest::newRow("depth 101") << nested(101) << tooDeep << 4096;
    QTest::newRow("look-aheads nest too") << QStringLiteral("(?=").repeated(101) + 'a' << tooDeep << 4096;
    QTest::newRow("brackets in a class or escaped")
        << QStringLiteral("[(]\\(").repeated(200) << QString() << 4096;
    QTest::newRow("100,000 copies") << QStringLiteral("(a{100}){1000}") << QString() << 4096;
    QTest::newRow("100,100 copies") << QStringLiteral("(a{100}){1001}") << tooMany << 4096;
    QTest::newRow("copies add up") << QStringLiteral("(a{1000}){99}").repeated(2) << tooMany << 4096;
    QTest::newRow("{n,} counts n") << QStringLiteral("(a{999,}){99}") << QString() << 4096;
    QTest::newRow("nested bomb") << QStringLiteral("((a{1000}){1000}){1000}") << tooMany << 4096;
    QTest::newRow("+ loops without copies") << QStringLiteral("((a+){1000})+") << QString() << 4096;
    QTest::newRow("optional run") << QStringLiteral("a?").repeated(300) << QString() << 4096;
    QTest::newRow("longer optional run") << QStringLiteral("a?").repeated(500) << tooLinked << 4096;
    QTest::newRow("repeated star") << QStringLiteral("(a*){1000}") << tooLinked << 4096;
    QTest::newRow("back-reference") << QStringLiteral("(a+)\\1") << QString() << 1024;
}

void TestPatternCheck::limits()
{
    QFETCH(QString, pattern);
    QFETCH(QString, reason);
    QFETCH(int, longestToken);

    const PatternCheck check = checkPattern(pattern);
    QVERIFY2(reason.isEmpty() ? check.reason.isEmpty() : check.reason.startsWith(reason),
             qPrintable(check.reason));
    QCOMPARE(check.longestToken, longestToken);
    QCOMPARE(disabledPatternNote(pattern).isEmpty(), reason.isEmpty());
}

QTEST_GUILESS_MAIN(TestPatternCheck)
#include "tst_pattern_check.moc"
