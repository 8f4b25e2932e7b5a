// The prefilter may only rule out tokens its pattern can never match.
#include "engine/pattern_prefilter.h"

#include <QRegExp>
#include <QtTest>

namespace {

// Patterns whose syntax could trick a small parser into requiring too much; the last ones cover
// whole tokens, where the length counts. Separated by spaces, which none of them holds.
const QStringList trickyPatterns =
    QStringLiteral("^1\\d{10}$ ^\\d{1,2}$ ^[^\\x00-\\xff]{2,4}$ ^[^\\x00-\\xff]{2,10}(大学|学校|学院)$ "
                   "^[A-Za-z\\d]+([-_.][A-Za-z\\d]+)*@([A-Za-z\\d]+[-.])+[A-Za-z\\d]{2,4}$ \\x41 ^\\x41b "
                   "\\0101 ^a|b x|^y (a|b)c a{0,1}b a{,2}b a?b a*b ^\\d{0,2}x ^\\d?x []a] [\\]]x (?:a)b "
                   "(?!a)b ^[^\\x00-\\xff]*z \\bq a\\{2} ^\\^a \\d\\d-\\d ( [ab ^$ ^a?b*c{2,3}$ ^\\d{0,2}$ "
                   "^.{3}$ ^a\\$ ^a{2}{3}$ ^a{,2}$ ^\\x41$ ^(ab)$ ^[ab]+\\.$ ^\\bab$ ^a{1,}b$")
        .split(QLatin1Char(' '));

const QStringList tokens =
    QStringLiteral("13812345678 20 ２０ 张三 北京大学 a@b.cn A Ab b y bc x ] ]x ab z q a{2} ^a 12-3 "
                   "\U00020000z ( 男 aab cc bcc abbbcc ccc a$ aa aaaaaa abc 123 ba. aaab")
        .split(QLatin1Char(' '))
    << QString();

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
