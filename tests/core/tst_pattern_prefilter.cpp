#include "engine/pattern_prefilter.h"

#include <QRegExp>
#include <QtTest>

namespace {

// Patterns whose syntax could trick a small parser into requiring too much.
const QStringList trickyPatterns {
    QStringLiteral("^1\\d{10}$"),
    QStringLiteral("^\\d{1,2}$"),
    QStringLiteral("^[^\\x00-\\xff]{2,4}$"),
    QStringLiteral("^[^\\x00-\\xff]{2,10}(大学|学校|学院)$"),
    QStringLiteral("^[A-Za-z\\d]+([-_.][A-Za-z\\d]+)*@([A-Za-z\\d]+[-.])+[A-Za-z\\d]{2,4}$"),
    QStringLiteral("\\x41"),
    QStringLiteral("^\\x41b"),
    QStringLiteral("\\0101"),
    QStringLiteral("^a|b"),
    QStringLiteral("x|^y"),
    QStringLiteral("(a|b)c"),
    QStringLiteral("a{0,1}b"),
    QStringLiteral("a{,2}b"),
    QStringLiteral("a?b"),
    QStringLiteral("a*b"),
    QStringLiteral("^\\d{0,2}x"),
    QStringLiteral("^\\d?x"),
    QStringLiteral("[]a]"),
    QStringLiteral("[\\]]x"),
    QStringLiteral("(?:a)b"),
    QStringLiteral("(?!a)b"),
    QStringLiteral("^[^\\x00-\\xff]*z"),
    QStringLiteral("\\bq"),
    QStringLiteral("a\\{2}"),
    QStringLiteral("^\\^a"),
    QStringLiteral("\\d\\d-\\d"),
    QStringLiteral("("),
    QStringLiteral("[ab"),
    QStringLiteral("^$"),
    // Whole-token patterns, where the length counts.
    QStringLiteral("^a?b*c{2,3}$"),
    QStringLiteral("^\\d{0,2}$"),
    QStringLiteral("^.{3}$"),
    QStringLiteral("^a\\$"),
    QStringLiteral("^a{2}{3}$"),
    QStringLiteral("^a{,2}$"),
    QStringLiteral("^\\x41$"),
    QStringLiteral("^(ab)$"),
    QStringLiteral("^[ab]+\\.$"),
    QStringLiteral("^\\bab$"),
    QStringLiteral("^a{1,}b$"),
};

const QStringList tokens {
    QStringLiteral("13812345678"),
    QStringLiteral("20"),
    QStringLiteral("２０"),
    QStringLiteral("张三"),
    QStringLiteral("北京大学"),
    QStringLiteral("a@b.cn"),
    QStringLiteral("A"),
    QStringLiteral("Ab"),
    QStringLiteral("b"),
    QStringLiteral("y"),
    QStringLiteral("bc"),
    QStringLiteral("x"),
    QStringLiteral("]"),
    QStringLiteral("]x"),
    QStringLiteral("ab"),
    QStringLiteral("z"),
    QStringLiteral("q"),
    QStringLiteral("a{2}"),
    QStringLiteral("^a"),
    QStringLiteral("12-3"),
    QStringLiteral("\U00020000z"),
    QStringLiteral("("),
    QStringLiteral("男"),
    QStringLiteral("aab"),
    QStringLiteral("bcc"),
    QStringLiteral("abbbcc"),
    QStringLiteral("ccc"),
    QStringLiteral("a$"),
    QStringLiteral("aa"),
    QStringLiteral("aaaaaa"),
    QStringLiteral("abc"),
    QStringLiteral("123"),
    QStringLiteral("ba."),
    QStringLiteral("aaab"),
    QString(),
    QStringLiteral("aab"),
    QStringLiteral("cc"),
    QStringLiteral("bcc"),
    QStringLiteral("abbbcc"),
    QStringLiteral("a$"),
    QStringLiteral("aa"),
    QStringLiteral("aaaaaa"),
    QStringLiteral("abc"),
    QStringLiteral("123"),
    QStringLiteral("ba."),
    QStringLiteral("aaab"),
    QString(),
};

bool regExpFits(const QString &pattern, const QString &token)
{
    return QRegExp(pattern).indexIn(token) >= 0;
}

} // namespace

class TestPatternPrefilter : public QObject
{
    Q_OBJECT

private slots:
    void neverRulesOutAFit();
    void firstCharacterOfEveryCodeUnit_data();
    void firstCharacterOfEveryCodeUnit();
    void rulesOutWhatCannotFit_data();
    void rulesOutWhatCannotFit();
};

void TestPatternPrefilter::neverRulesOutAFit()
{
    for (const QString &pattern : trickyPatterns) {
        const PatternPrefilter prefilter(pattern);
        for (const QString &token : tokens) {
            if (regExpFits(pattern, token) && prefilter.rulesOut(token))
                QFAIL(qPrintable(pattern + QStringLiteral(" fits ") + token
                                 + QStringLiteral(" but is ruled out")));
        }
    }
}

void TestPatternPrefilter::firstCharacterOfEveryCodeUnit_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::newRow("digit") << QStringLiteral("^\\d");
    QTest::newRow("beyond Latin-1") << QStringLiteral("^[^\\x00-\\xff]");
    QTest::newRow("plain character") << QStringLiteral("^1");
    QTest::newRow("required character") << QStringLiteral("@");
}

// Single code units, surrogates included, against QRegExp itself.
void TestPatternPrefilter::firstCharacterOfEveryCodeUnit()
{
    QFETCH(QString, pattern);
    const PatternPrefilter prefilter(pattern);
    const QRegExp regExp(pattern);
    for (uint u = 0; u <= 0xFFFF; ++u) {
        const QString token(QChar(static_cast<ushort>(u)));
        if (prefilter.rulesOut(token) != (regExp.indexIn(token) < 0))
            QFAIL(qPrintable(QStringLiteral("U+%1 disagrees").arg(u, 4, 16, QLatin1Char('0'))));
    }
}

void TestPatternPrefilter::rulesOutWhatCannotFit_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("token");

    QTest::newRow("mobile, wrong first digit")
        << QStringLiteral("^1\\d{10}$") << QStringLiteral("23812345678");
    QTest::newRow("age, a name") << QStringLiteral("^\\d{1,2}$") << QStringLiteral("张三");
    QTest::newRow("name, digits") << QStringLiteral("^[^\\x00-\\xff]{2,4}$") << QStringLiteral("20");
    QTest::newRow("school, alternatives inside a group")
        << QStringLiteral("^[^\\x00-\\xff]{2,10}(大学|学校|学院)$") << QStringLiteral("abc");
    QTest::newRow("e-mail without @")
        << QStringLiteral("^[A-Za-z\\d]+([-_.][A-Za-z\\d]+)*@([A-Za-z\\d]+[-.])+[A-Za-z\\d]{2,4}$")
        << QStringLiteral("13812345678");
    QTest::newRow("empty token") << QStringLiteral("^a") << QString();
    QTest::newRow("age, too long") << QStringLiteral("^\\d{1,2}$") << QStringLiteral("138");
    QTest::newRow("mobile, too short") << QStringLiteral("^1\\d{10}$") << QStringLiteral("1381234567");
    QTest::newRow("grade, no digit word")
        << QStringLiteral("(小学|初中?|高中?|大学?|研)[一二三四](年级)?") << QStringLiteral("大学");
}

void TestPatternPrefilter::rulesOutWhatCannotFit()
{
    QFETCH(QString, pattern);
    QFETCH(QString, token);
    QVERIFY(!regExpFits(pattern, token));
    QVERIFY(PatternPrefilter(pattern).rulesOut(token));
}

QTEST_GUILESS_MAIN(TestPatternPrefilter)
#include "tst_pattern_prefilter.moc"
