// Cutting a record into tokens: which characters separate and which do not.
#include "engine/text_segmentation.h"

#include <QRegExp>
#include <QtTest>

class TestTextSegmentation : public QObject
{
    Q_OBJECT

private slots:
    void tokens_data();
    void tokens();
    void rewrittenText_data();
    void rewrittenText();
    void everyCodeUnitSeparatesAsTheExpressionDoes();
};

void TestTextSegmentation::tokens_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("expected");

    const QStringList ab { QStringLiteral("a"), QStringLiteral("b") };
    const ushort separators[] = { ':',    ',',    0xFF1A, 0xFF0C, 0x3002, 0x3001, 0x09,   0x0A,
                                  0x0B,   0x0C,   0x0D,   0x20,   0x85,   0xA0,   0x1680, 0x2000,
                                  0x200A, 0x2028, 0x2029, 0x202F, 0x205F, 0x3000 };
    for (const ushort u : separators)
        QTest::addRow("separator U+%04X", u) << QStringLiteral("a") + QChar(u) + QStringLiteral("b") << ab;

    const ushort joiners[] = { ';', 0xFF1B, '.', '/', 0xFF0F, 0x200B, 0xFEFF, '-', '_', '@', 0xFF08, '"' };
    for (const ushort u : joiners)
        QTest::addRow("no separator U+%04X", u) << QStringLiteral("a") + QChar(u)
                + QStringLiteral("b") << QStringList { QStringLiteral("a") + QChar(u) + QStringLiteral("b") };

    QTest::newRow("semicolon keeps 男;18")
        << QStringLiteral("张三,男;18") << QStringList { QStringLiteral("张三"), QStringLiteral("男;18") };
    QTest::newRow("runs of mixed separators")
        << QStringLiteral("a::b a : b a，、b")
        << QStringList { QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("a"),
                         QStringLiteral("b"), QStringLiteral("a"), QStringLiteral("b") };
    QTest::newRow("leading and trailing") << QStringLiteral("，\u3000\u3000张三\u3000男\n\n")
                                          << QStringList { QStringLiteral("张三"), QStringLiteral("男") };
    QTest::newRow("full stops") << QStringLiteral(
        "3.5 3。5") << QStringList { QStringLiteral("3.5"), QStringLiteral("3"), QStringLiteral("5") };
    QTest::newRow("labelled record") << QStringLiteral("姓名：张三，性别：男 年龄:20\n手机 13812345678。")
                                     << QStringList { QStringLiteral("姓名"), QStringLiteral("张三"),
                                                      QStringLiteral("性别"), QStringLiteral("男"),
                                                      QStringLiteral("年龄"), QStringLiteral("20"),
                                                      QStringLiteral("手机"), QStringLiteral("13812345678") };
    QTest::newRow("surrogate pair stays whole")
        << QStringLiteral("\U00020000\U00020001 x")
        << QStringList { QStringLiteral("\U00020000\U00020001"), QStringLiteral("x") };
    QTest::newRow("empty") << QString() << QStringList();
    QTest::newRow("separators only") << QStringLiteral(" ,:，：。、\t\r\n\u3000") << QStringList();
}

void TestTextSegmentation::tokens()
{
    QFETCH(QString, text);
    QFETCH(QStringList, expected);
    QCOMPARE(segmentText(text), expected);
}

void TestTextSegmentation::rewrittenText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");

    QTest::newRow("one line feed per run") << QStringLiteral("a ,\r\nb") << QStringLiteral("a\nb");
    QTest::newRow("runs at both ends") << QStringLiteral("：a。") << QStringLiteral("\na\n");
    QTest::newRow("nothing to replace") << QStringLiteral("a;b") << QStringLiteral("a;b");
    QTest::newRow("separators only") << QStringLiteral("\u3000 \n") << QStringLiteral("\n");
    QTest::newRow("empty") << QString() << QString();
}

void TestTextSegmentation::rewrittenText()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QString rewritten = QStringLiteral("stale");
    segmentText(text, &rewritten);
    QCOMPARE(rewritten, expected);
}

// The separator set is defined by a QRegExp; the hand-written test must agree on every code unit.
void TestTextSegmentation::everyCodeUnitSeparatesAsTheExpressionDoes()
{
    const QRegExp separatorRun(QStringLiteral("[:,：，。、\\s]+"));
    for (uint u = 0; u <= 0xFFFF; ++u) {
        const QChar c(static_cast<ushort>(u));
        const bool expected = separatorRun.indexIn(QString(c)) == 0;
        if (isTokenSeparator(c) != expected)
            QFAIL(qPrintable(QStringLiteral("U+%1 disagrees").arg(u, 4, 16, QLatin1Char('0'))));
    }
}

QTEST_GUILESS_MAIN(TestTextSegmentation)
#include "tst_text_segmentation.moc"
