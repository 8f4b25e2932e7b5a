// Classification of one record: labels, patterns, restarts, and the debug lines on the way.
#include "engine/analyze_text.h"
#include "engine/record_classifier.h"
#include "tests/core/engine_log_capture.h"

#include <QElapsedTimer>
#include <QtTest>

namespace {

const QString namePattern = QStringLiteral("^[^\\x00-\\xff]{2,4}$");
const QString genderPattern = QStringLiteral("[01男女]");
const QString agePattern = QStringLiteral("^\\d{1,2}$");
const QString mobilePattern = QStringLiteral("^1\\d{10}$");

// Fields from alternating names and patterns.
QList<FieldDef> fieldsOf(const QStringList &namesAndPatterns)
{
    QList<FieldDef> fields;
    for (int i = 0; i + 1 < namesAndPatterns.size(); i += 2)
        fields.append({ namesAndPatterns.at(i), namesAndPatterns.at(i + 1) });
    return fields;
}

const QStringList workedExampleFields { QStringLiteral("姓名"),   namePattern,
                                        QStringLiteral("性别"),   genderPattern,
                                        QStringLiteral("年龄"),   agePattern,
                                        QStringLiteral("手机号"), mobilePattern };

} // namespace

Q_DECLARE_METATYPE(QList<FieldDef>)

class TestRecordClassifier : public QObject
{
    Q_OBJECT

private slots:
    void classify_data();
    void classify();
    void debugLines_data();
    void debugLines();
    void sameInputSameRow();
    void hostile_data();
    void hostile();
};

void TestRecordClassifier::classify_data()
{
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("worked example") << workedExampleFields << QStringLiteral("张三 男 20 13812345678")
                                    << QStringList { QStringLiteral("张三"), QStringLiteral("男"),
                                                     QStringLiteral("20"), QStringLiteral("13812345678") };
    QTest::newRow("worked example with a labelled second number")
        << workedExampleFields << QStringLiteral("张三 男 20 13812345678 手机号：13900001111")
        << QStringList { QStringLiteral("张三"), QString(), QStringLiteral("20"),
                         QStringLiteral("13900001111") };
    QTest::newRow("order of fields decides a tie")
        << QStringList { QStringLiteral("A"), mobilePattern, QStringLiteral("B"), mobilePattern }
        << QStringLiteral("13812345678") << QStringList { QStringLiteral("13812345678"), QString() };

    // Labels
    QTest::newRow("later of two equal names takes the label")
        << QStringList { QStringLiteral("名"), QString(), QStringLiteral("名"), QString() }
        << QStringLiteral("名：张三") << QStringList { QString(), QStringLiteral("张三") };
    QTest::newRow("first pair wins, the later value is dropped")
        << QStringList { QStringLiteral("姓名"), QString(), QStringLiteral("别名"), QStringLiteral("^李") }
        << QStringLiteral("姓名 张三 姓名 李四") << QStringList { QStringLiteral("张三"), QString() };
    QTest::newRow("label as last token stays a token")
        << QStringList { QStringLiteral("备注"), QString(), QStringLiteral("姓名"), namePattern }
        << QStringLiteral("备注") << QStringList { QString(), QStringLiteral("备注") };
    QTest::newRow("label followed by a label")
        << QStringList { QStringLiteral("姓名"), namePattern, QStringLiteral("性别"), genderPattern }
        << QStringLiteral("姓名 性别 男") << QStringList { QStringLiteral("姓名"), QStringLiteral("男") };
    QTest::newRow("empty name is no label")
        << QStringList { QString(), QString(), QStringLiteral("b"), QString() } << QStringLiteral("a b c")
        << QStringList { QString(), QStringLiteral("c") };
    QTest::newRow("name holding a separator is no label")
        << QStringList { QStringLiteral("姓 名"), QString(), QStringLiteral("姓"), QString() }
        << QStringLiteral("姓 名 张三") << QStringList { QString(), QStringLiteral("名") };
    QTest::newRow("labels are case-sensitive")
        << QStringList { QStringLiteral("Email"), QString(), QStringLiteral("x"), QStringLiteral("^email$") }
        << QStringLiteral("email foo") << QStringList { QString(), QStringLiteral("email") };

    // Patterns
    QTest::newRow("ambiguous field stays empty") << QStringList { QStringLiteral("年龄"), agePattern }
                                                 << QStringLiteral("20 30") << QStringList { QString() };
    QTest::newRow("invalid pattern never matches")
        << QStringList { QStringLiteral("X"), QStringLiteral("("), QStringLiteral("Y"),
                         QStringLiteral("^a$") }
        << QStringLiteral("( a") << QStringList { QString(), QStringLiteral("a") };
    QTest::newRow("unanchored pattern matches inside a token")
        << QStringList { QStringLiteral("性别"), genderPattern } << QStringLiteral("abc x10y")
        << QStringList { QStringLiteral("x10y") };
    QTest::newRow("character outside the BMP counts twice")
        << QStringList { QStringLiteral("姓名"), namePattern }
        << QStringLiteral("\U00020000\U00020001\U00020002 \U00020000\U00020001")
        << QStringList { QStringLiteral("\U00020000\U00020001") };
    QTest::newRow("\\d takes full-width digits")
        << QStringList { QStringLiteral("年龄"), agePattern } << QStringLiteral("２０ abc")
        << QStringList { QStringLiteral("２０") };

    QTest::newRow("no fields") << QStringList() << QStringLiteral("张三 男") << QStringList();
    QTest::newRow("no tokens") << workedExampleFields << QStringLiteral(" ，\n")
                               << QStringList { QString(), QString(), QString(), QString() };
}

void TestRecordClassifier::classify()
{
    QFETCH(QStringList, fields);
    QFETCH(QString, text);
    QFETCH(QStringList, expected);

    const RecordClassifier classifier(text, fieldsOf(fields));
    QCOMPARE(classifier.result(), expected);
}

void TestRecordClassifier::debugLines_data()
{
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("pattern pass in assignment order")
        << workedExampleFields << QStringLiteral("张三 男 20 13812345678")
        << QStringList { QStringLiteral("替换后的文本： \"张三\\n男\\n20\\n13812345678\""),
                         QStringLiteral("分割后的长度： 4"),
                         QStringLiteral(
                             "正则匹配到： \"姓名\"      \"张三\"      \"^[^\\\\x00-\\\\xff]{2,4}$\""),
                         QStringLiteral("正则匹配到： \"年龄\"      \"20\"      \"^\\\\d{1,2}$\""),
                         QStringLiteral("正则匹配到： \"手机号\"      \"13812345678\"      \"^1\\\\d{10}$\""),
                         QStringLiteral("正则匹配到： \"性别\"      \"男\"      \"[01男女]\"") };
    QTest::newRow("a line for every label pair, written or not")
        << QStringList { QStringLiteral("姓名"), QString() } << QStringLiteral("姓名 张三 姓名 李四")
        << QStringList { QStringLiteral("替换后的文本： \"姓名\\n张三\\n姓名\\n李四\""),
                         QStringLiteral("分割后的长度： 4"), QStringLiteral("匹配： \"姓名\"    \"张三\""),
                         QStringLiteral("匹配： \"姓名\"    \"李四\"") };
    QTest::newRow("no fields: segmentation only")
        << QStringList() << QStringLiteral("，姓名 张三")
        << QStringList { QStringLiteral("替换后的文本： \"\\n姓名\\n张三\""),
                         QStringLiteral("分割后的长度： 2") };
    QTest::newRow("separators only") << workedExampleFields << QStringLiteral("\u3000\n")
                                     << QStringList { QStringLiteral("替换后的文本： \"\\n\""),
                                                      QStringLiteral("分割后的长度： 0") };
}

void TestRecordClassifier::debugLines()
{
    QFETCH(QStringList, fields);
    QFETCH(QString, text);
    QFETCH(QStringList, expected);

    const EngineLogCapture capture;
    analyzeText(text, fieldsOf(fields));
    QCOMPARE(capture.lines(), expected);
}

// Verdicts are remembered between records; a changed field list or a repeated text must not care.
void TestRecordClassifier::sameInputSameRow()
{
    const QList<FieldDef> fields = fieldsOf(workedExampleFields);
    const QString text = QStringLiteral("张三 男 20 13812345678");
    const RecordRow first = analyzeText(text, fields);
    const QList<FieldDef> swapped { fields.at(0), fields.at(1), fields.at(3), fields.at(2) };
    QCOMPARE(analyzeText(text, swapped), (RecordRow { first.at(0), first.at(1), first.at(3), first.at(2) }));
    QCOMPARE(analyzeText(text, fields), first);
}

// Inputs built to crash or hang the engine: rows as the rules give them, each well within a second.
void TestRecordClassifier::hostile_data()
{
    QTest::addColumn<QList<FieldDef>>("fields");
    QTest::addColumn<QString>("text");
    QTest::addColumn<RecordRow>("expected");
    const auto repeated = [](int count, const FieldDef &field) {
        return QVector<FieldDef>(count, field).toList();
    };
    const auto emptyRow = [](int count) { return QVector<QString>(count).toList(); };

    // Fields times tokens beyond 2^31.
    RecordRow row = emptyRow(2200);
    row.last() = QStringLiteral("q");
    QTest::newRow("2,200 fields, 1,000,000 tokens")
        << repeated(2199, { QStringLiteral("f"), QStringLiteral("^z$") })
            + repeated(1, { QStringLiteral("q"), QStringLiteral("^q$") })
        << QStringLiteral("a ").repeated(999999) + QStringLiteral("q") << row;
    row = emptyRow(100000);
    row.first() = QStringLiteral("7");
    QTest::newRow("100,000 fields, 30,000 tokens")
        << repeated(100000, { QStringLiteral("n"), QStringLiteral("^\\d+$") })
        << QStringLiteral("x ").repeated(29999) + QStringLiteral("7") << row;

    // Each bomb would take the token, were it compiled.
    QTest::newRow("pattern bombs") << QList<FieldDef> {
        { QStringLiteral("a"), QString(20000, '(') + 'a' },
        { QStringLiteral("b"), QStringLiteral("((a{1000}){1000}){1000}") },
        { QStringLiteral("c"), QStringLiteral("a|").repeated(5000) + 'a' },
        { QStringLiteral("d"), QStringLiteral("(a?){1000}") },
        { QStringLiteral("e"), QStringLiteral("^a$") }
    } << QStringLiteral("a") << RecordRow { {}, {}, {}, {}, QStringLiteral("a") };

    // Each long token would match, were it tried; a long one may still follow a label.
    const QString digits = QString(4095, '1') + QStringLiteral("岁");
    const QString tooLong = '1' + digits;
    QTest::newRow("long tokens") << QList<FieldDef> { { QStringLiteral("age"), QStringLiteral("\\d+岁") },
                                                      { QStringLiteral("x"), QStringLiteral("x+y") },
                                                      { QStringLiteral("xx"), QStringLiteral("(x+x+)+y") },
                                                      { QStringLiteral("note"), QString() } }
                                 << QStringLiteral("%1 %2y note %1").arg(tooLong, QString(40000, 'x'))
                                 << RecordRow { {}, {}, {}, tooLong };
    QTest::newRow("at the token limits")
        << QList<FieldDef> { { QStringLiteral("age"), QStringLiteral("\\d+岁") },
                             { QStringLiteral("back"), QStringLiteral("(x+)\\1y") } }
        << QStringLiteral("%1 %2y x%2y").arg(digits, QString(1023, 'x'))
        << RecordRow { digits, QString(1023, 'x') + 'y' };
}

void TestRecordClassifier::hostile()
{
    QFETCH(QList<FieldDef>, fields);
    QFETCH(QString, text);
    QFETCH(RecordRow, expected);

    QElapsedTimer timer;
    timer.start();
    QCOMPARE(analyzeText(text, fields), expected);
    QVERIFY(timer.elapsed() < 20000); // a hang guard only
}

QTEST_GUILESS_MAIN(TestRecordClassifier)
#include "tst_record_classifier.moc"
