// The record review: value checks by field name, and the notes and suggested row of whole records.
#include "bench/sample_pastes.h"
#include "fields/preset_patterns.h"
#include "review/field_kind.h"
#include "review/record_review.h"
#include "review/value_checks.h"

#include <QtTest>

#include <thread>

namespace {

const QDate today(2026, 12, 7);

// Fields named as given, each with its preset pattern (部门 has none).
QList<FieldDef> fieldsNamed(const QStringList &names)
{
    QList<FieldDef> fields;
    for (const QString &name : names)
        fields.append({ name, presetPattern(name) });
    return fields;
}

} // namespace

class TestRecordReview : public QObject
{
    Q_OBJECT

private slots:
    void valueChecks_data();
    void valueChecks();
    void review_data();
    void review();
    void settledCellIsOnlyChecked();
    void sameAloneAsInARun();
};

void TestRecordReview::valueChecks_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("problem");

    const QString none;
    QTest::newRow("ID valid, X") << "身份证"
                                 << "11010519491231002X" << none;
    QTest::newRow("ID valid, digit") << "身份证"
                                     << "320102199003071239" << none;
    QTest::newRow("ID lower-case x") << "身份证"
                                     << "11010519491231002x"
                                     << "身份证末位应为大写X";
    QTest::newRow("ID check digit") << "身份证"
                                    << "320102199003071230"
                                    << "身份证校验位不符";
    QTest::newRow("ID 19990231") << "身份证"
                                 << "110105199902310010"
                                 << "身份证出生日期无效";
    QTest::newRow("ID born in the future") << "身份证"
                                           << "110105209901010012"
                                           << "身份证出生日期晚于今天";
    QTest::newRow("ID province") << "身份证"
                                 << "99010519800101001X"
                                 << "身份证地区码无效";
    QTest::newRow("ID length") << "身份证"
                               << "3201021990030712"
                               << "身份证应为18位";
    QTest::newRow("mobile valid") << "手机"
                                  << "13812345678" << none;
    QTest::newRow("mobile prefix") << "手机号"
                                   << "12812345678"
                                   << "手机号应以13–19开头";
    QTest::newRow("mobile length") << "手机号"
                                   << "1381234567"
                                   << "手机号应为11位数字";
    QTest::newRow("e-mail two @") << "邮箱"
                                  << "a@b@c.com"
                                  << "邮箱格式不符";
    QTest::newRow("e-mail no dot") << "邮箱"
                                   << "zs@qq"
                                   << "邮箱格式不符";
    QTest::newRow("gender 1") << "性别"
                              << "1"
                              << "性别应为男或女";
    QTest::newRow("age 0") << "年龄"
                           << "0"
                           << "年龄应为1–120的整数";
    QTest::newRow("age 121") << "年龄"
                             << "121"
                             << "年龄应为1–120的整数";
    QTest::newRow("student number") << "学号"
                                    << "2020A1234567"
                                    << "学号应只含数字";
    QTest::newRow("birth date") << "生日"
                                << "2001年2月29日"
                                << "日期无效";
    QTest::newRow("birth date valid") << "出生日期"
                                      << "2000/2/29" << none;
    // Each form of a date, and its near misses.
    const char *const dates[][2] = {
        { "2000-02-29", "" },
        { "20000229", "" },
        { "2000.2.9日", "" },
        { "2000年12月1", "" },
        { "2000-1-123", "日期无效" },
        { "20001-1-1", "日期无效" },
        { "２０００/2/29", "日期无效" },
        { "2000-1-", "日期无效" },
        { "2000年1日1", "日期无效" },
    };
    for (const auto &date : dates)
        QTest::newRow(date[0]) << "生日" << QString::fromUtf8(date[0]) << QString::fromUtf8(date[1]);
    QTest::newRow("age 1000") << "年龄"
                              << "1000"
                              << "年龄应为1–120的整数";
    QTest::newRow("age 120") << "年龄"
                             << "120" << none;
}

void TestRecordReview::valueChecks()
{
    QFETCH(QString, field);
    QFETCH(QString, value);
    QFETCH(QString, problem);
    QCOMPARE(valueProblem(fieldKind(field), value, today), problem);
}

void TestRecordReview::review_data()
{
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("notes"); // "field kind text"
    QTest::addColumn<QStringList>("suggested");

    const QStringList idRow { "性别", "年龄", "身份证" };
    QTest::newRow("gender and age against the ID number")
        << idRow << "性别 男 年龄 30 身份证 11010519491231002X"
        << QStringList { "0 check 性别与身份证不符（身份证为女）",
                         "1 check 年龄与身份证不符（按身份证为76岁）" }
        << QStringList { "男", "30", "11010519491231002X" };
    QTest::newRow("age off by one agrees")
        << idRow << "性别 女 年龄 77 身份证 11010519491231002X" << QStringList()
        << QStringList { "女", "77", "11010519491231002X" };
    QTest::newRow("glued label") << QStringList { "姓名", "性别" } << "性别女 张三"
                                 << QStringList { "1 check 含有标签“性别”",
                                                  "1 suggestion 建议：女（来自“性别女”）" }
                                 << QStringList { "张三", "女" };
    QTest::newRow("half-width, own cell and left-over token")
        << QStringList { "姓名", "年龄", "手机号" } << "张三 ３８ １３８１２３４５６７８"
        << QStringList { "1 check 含全角数字", "1 suggestion 建议：38（来自“３８”）",
                         "2 suggestion 建议：13812345678（来自“１３８１２３４５６７８”）" }
        << QStringList { "张三", "38", "13812345678" };
    QTest::newRow("surname and check tell candidates apart")
        << QStringList { "姓名", "专业" } << "软件工程 张伟"
        << QStringList { "0 candidates 候选：软件工程、张伟", "0 suggestion 建议：张伟（常见姓氏）",
                         "1 candidates 候选：软件工程、张伟",
                         "1 suggestion 建议：软件工程（唯一通过校验的候选）" }
        << QStringList { "张伟", "软件工程" };
    QTest::newRow("ending of a field without pattern")
        << QStringList { "姓名", "部门" } << "张三 学生会宣传部"
        << QStringList { "1 suggestion 建议：学生会宣传部（以“部”结尾）" }
        << QStringList { "张三", "学生会宣传部" };
    QTest::newRow("split at a separator the rules do not know")
        << QStringList { "姓名", "性别" } << "张三；男"
        << QStringList { "0 check 含有分隔符“；”", "0 suggestion 建议：张三（来自“张三；男”）",
                         "1 suggestion 建议：男（来自“张三；男”）" }
        << QStringList { "张三", "男" };
    QTest::newRow("broken value replaced by the one that passes")
        << QStringList { "身份证" } << "身份证 320102199003071230 320102199003071239"
        << QStringList { "0 check 身份证校验位不符",
                         "0 suggestion 建议：320102199003071239（唯一通过校验的候选）" }
        << QStringList { "320102199003071239" };
    QTest::newRow("value moves to its field")
        << QStringList { "性别", "学号" } << "2020123456789"
        << QStringList { "0 check 性别应为男或女", "0 suggestion 建议：清空（移至“学号”）",
                         "1 suggestion 建议：2020123456789（来自“2020123456789”）" }
        << QStringList { "", "2020123456789" };
    QTest::newRow("labelled value off its pattern")
        << QStringList { "班级" } << "班级 张三" << QStringList { "0 check “张三”不符合本字段的格式" }
        << QStringList { "张三" };
    // A class, but not as the pattern wants it: the pattern is too narrow, the value is not wrong.
    QTest::newRow("labelled value of its kind off a narrow pattern")
        << QStringList { "班级" } << "班级 三班" << QStringList() << QStringList { "三班" };
    QTest::newRow("filler word is no candidate")
        << QStringList { "姓名", "专业" } << "张三 暂无"
        << QStringList { "0 suggestion 建议：张三（常见姓氏）" } << QStringList { "张三", "" };
    QTest::newRow("nothing to say") << QStringList { "姓名", "性别" } << "张三 男" << QStringList()
                                    << QStringList { "张三", "男" };
}

void TestRecordReview::review()
{
    QFETCH(QStringList, fields);
    QFETCH(QString, text);
    QFETCH(QStringList, notes);
    QFETCH(QStringList, suggested);

    const auto described = [](const RecordReview &review) {
        QStringList seen;
        for (const ReviewNote &note : review.notes)
            seen << QStringLiteral("%1 %2 %3")
                        .arg(note.field)
                        .arg(QLatin1String(noteKindName(note.kind)), note.text);
        return seen;
    };
    const RecordReview review = reviewText(text, fieldsNamed(fields), today);
    QCOMPARE(described(review), notes);
    QCOMPARE(review.suggested, suggested);

    // Asked again, and among many more fields, the outcome is the same.
    const RecordReview again = reviewText(text, fieldsNamed(fields), today);
    QCOMPARE(described(again), notes);
    QList<FieldDef> many = fieldsNamed(fields);
    for (int i = 0; i < 40; ++i)
        many.append({ QStringLiteral("附加%1").arg(i), QString() });
    const RecordReview unremembered = reviewText(text, many, today);
    QCOMPARE(described(unremembered), notes);
    QCOMPARE(unremembered.suggested.mid(0, suggested.size()), suggested);
}

// A cell set by hand keeps its checks but gets no candidates or suggestions; the others still do.
void TestRecordReview::settledCellIsOnlyChecked()
{
    ReviewInput input { fieldsNamed({ "姓名", "性别" }),
                        { "", "性别女" },
                        { false, false },
                        { "张三", "李四" },
                        { true, false },
                        {} };
    RecordReview review = reviewRecord(input, today);
    QCOMPARE(review.notes.size(), 2);
    QCOMPARE(review.notes.at(0).text, QStringLiteral("含有标签“性别”"));
    QCOMPARE(review.suggested, QStringList({ "", "女" }));

    input.cells = QStringList { "Tom", "性别女" };
    review = reviewRecord(input, today);
    QCOMPARE(review.notes.first().field, 0);
    QCOMPARE(review.notes.first().text, QStringLiteral("不像姓名（姓氏不常见）"));
}

// Whatever the rules remember from one record to the next, a record reviewed among thousands gives what
// it gives alone, in a thread that has seen no other record.
void TestRecordReview::sameAloneAsInARun()
{
    QLoggingCategory::setFilterRules(QStringLiteral("quorbel.*.debug=false"));
    const QList<FieldDef> fields = reviewFields();
    SamplePastes pastes(20261208, QDate::currentDate());
    QStringList texts;
    for (int i = 0; i < 5000; ++i)
        texts.append(pastes.next().text);
    QList<RecordReview> inRun;
    QVERIFY(reviewTexts(
        texts, fields, [](int) { return true; }, &inRun));
    QCOMPARE(inRun.size(), texts.size());
    int differing = 0;
    for (int i = 0; i < texts.size(); ++i) {
        RecordReview alone;
        std::thread([&] { alone = reviewText(texts.at(i), fields); }).join();
        const RecordReview &ran = inRun.at(i);
        bool same = alone.suggested == ran.suggested && alone.notes.size() == ran.notes.size();
        for (int n = 0; same && n < alone.notes.size(); ++n) {
            const ReviewNote &a = alone.notes.at(n);
            const ReviewNote &b = ran.notes.at(n);
            same = a.field == b.field && a.kind == b.kind && a.text == b.text && a.values == b.values;
        }
        if (!same && ++differing <= 3)
            qWarning() << "differs:" << texts.at(i);
    }
    QCOMPARE(differing, 0);
}

QTEST_GUILESS_MAIN(TestRecordReview)
#include "tst_record_review.moc"
