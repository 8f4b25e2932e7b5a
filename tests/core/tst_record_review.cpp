// The record review: value checks by field name, and the notes and suggested row of whole records.
#include "bench/sample_pastes.h"
#include "fields/known_fields.h"
#include "review/kind_traits.h"
#include "review/record_review.h"
#include "review/review_wording.h"
#include "review/value_checks.h"
#include "review/value_shapes.h"

#include <QtTest>

#include <thread>

Q_DECLARE_METATYPE(FieldKind)

namespace {

const QDate today(2026, 12, 7);

// Fields named as given, each with its preset pattern (部门 has none), or with the pattern after "=".
QList<FieldDef> fieldsNamed(const QStringList &names)
{
    QList<FieldDef> fields;
    for (const QString &name : names) {
        const int equals = name.indexOf(QLatin1Char('='));
        fields.append(equals < 0 ? FieldDef { name, presetPattern(name) }
                                 : FieldDef { name.left(equals), name.mid(equals + 1) });
    }
    return fields;
}

} // namespace

class TestRecordReview : public QObject
{
    Q_OBJECT

private slots:
    void valueChecks_data();
    void valueChecks();
    void valueShapes_data();
    void valueShapes();
    void plainKinds_data();
    void plainKinds();
    void datesAgree();
    void review_data();
    void review();
    void narrowPattern_data();
    void narrowPattern();
    void settledCellIsOnlyChecked();
    void sameAloneAsInARun();
    void fieldNamedByMegabytes();
    void everyFaultHasASentence();
    void notesCarryTheirFaults();
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
        { "２０００/2/29", "含全角数字" },
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

    // Names as people type them reach the same checks, and the kinds beyond the presets have theirs.
    const char *const rows[][3] = {
        { "身份证号码", "110105491231002", "旧版15位身份证" },
        { "证件号", "110105491331002", "身份证出生日期无效" },
        { "身份证号", "１１０１０５１９４９１２３１００２X", "含全角数字" },
        { "手机号码", "１３８１２３４５６７８", "含全角数字" },
        { "手机号码", "１３８１２３４５６７", "手机号应为11位数字" },
        { "手机", "+8613812345678", "手机号前带有国家码86" },
        { "手机", "138-1234-5678", "手机号中间有分隔符" },
        { "手机", "138\u200B12345678", "含有不可见字符" },
        { "固定电话", "010-62345678", "" },
        { "座机", "(0571)88776655", "" },
        { "办公电话", "0571-88776655转123", "" },
        { "固定电话", "010-1234567", "固定电话应为区号加7–8位号码" },
        { "联系电话", "13812345678", "" },
        { "电话", "（010）62345678", "" },
        { "联系电话", "12812345678", "手机号应以13–19开头" },
        { "电话", "无", "电话应为手机号或带区号的固定电话" },
        { "入职日期", "20191226", "" },
        { "报到日期", "2019年12月26日", "" },
        { "入学日期", "2019.12.26", "" },
        { "入职日期", "2019-13-01", "日期无效" },
        { "出生年月", "2019年12月", "" },
        { "出生年月", "201912", "" },
        { "出生日期", "2099-01-01", "出生日期晚于今天" },
        { "家庭住址", "浙江省杭州市西湖区文三路90号", "" },
        { "通讯地址", "软件工程", "不像地址（无省市、街道或门牌）" },
        { "民族", "汉", "" },
        { "民族", "维吾尔族", "" },
        { "民族", "火星族", "不是56个民族之一" },
        { "政治面貌", "共青团员", "" },
        { "政治面貌", "积极分子", "政治面貌应为中共党员、共青团员、群众等" },
        { "QQ", "01234", "QQ号应为5–11位数字" },
        { "QQ号", "123456789", "" },
        { "微信号", "13812345678", "" },
        { "微信", "12", "微信号应为6–20位字母、数字、下划线或减号，以字母开头" },
        { "邮编", "31001", "邮编应为6位数字" },
        { "邮编", "310012", "" },
        { "邮编", "910012", "邮编应为6位数字" }, // no postal region 9: the shape and the check agree
        { "姓名", "张　三", "含有不可见字符" },
        { "E-mail", "zs＠qq.com", "含全角字符" },
        { "班级", "计科１班", "含全角数字" },
        { "最高学历", "博士后", "" },
        { "学历", "大学", "学历应为本科、大专、硕士等" },
    };
    for (const auto &row : rows) {
        const QString value = QString::fromUtf8(row[1]);
        QTest::newRow(qPrintable(QString::fromUtf8(row[0]) + QLatin1Char(' ') + value))
            << QString::fromUtf8(row[0]) << value << QString::fromUtf8(row[2]);
    }
}

void TestRecordReview::valueChecks()
{
    QFETCH(QString, field);
    QFETCH(QString, value);
    QFETCH(QString, problem);
    QCOMPARE(ReviewWording::fault(valueProblem(fieldKind(field), value, today)), problem);
}

// Whether a text could be a value of a field's kind, for the field named first; a value in another
// form (in groups, after +86, with a wrong check digit) still counts, and canonicalValue writes it.
void TestRecordReview::valueShapes_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("looks");
    QTest::addColumn<QString>("canonical");

    const struct
    {
        const char *field, *text;
        bool looks;
        const char *canonical;
    } rows[] = {
        { "手机", "139 0571 2266", true, "13905712266" },
        { "手机号码", "+86 139-0571-2266", true, "13905712266" },
        { "手机", "１３８１２３４５６７８", true, "13812345678" },
        { "手机", "1390571226", false, "1390571226" },
        { "电话", "0571 8877 6655", true, "057188776655" },
        { "固定电话", "(0571)88776655", true, "(0571)88776655" },
        { "身份证", "110105194912310021", true, "110105194912310021" },
        { "身份证号", "11010519491231002x", true, "11010519491231002X" },
        { "身份证", "1101051949", false, "1101051949" },
        { "邮箱", "li@x.cn", true, "li@x.cn" },
        { "邮箱", "li@x", false, "li@x" },
        { "入职日期", "2019.12.26", true, "2019.12.26" },
        { "入职日期", "2019.13.26", false, "2019.13.26" },
        { "地址", "北京市海淀区中关村大街1号", true, "北京市海淀区中关村大街1号" },
        { "地址", "计算机科学与技术", false, "计算机科学与技术" },
        { "备注", "材料已交", true, "材料已交" },
        { "备注", "13812345678", false, "13812345678" },
        { "备注", "手机号：", false, "手机号：" },
        { "民族", "回族", true, "回族" },
        { "学校", "北京大学", true, "北京大学" },
        { "专业", "软件工程", true, "软件工程" },
        { "专业", "北京大学", false, "北京大学" },
        { "班级", "高三（２）班", true, "高三（2）班" },
        { "班级", "计科1班", true, "计科1班" },
        { "部门", "学生会宣传部", true, "学生会宣传部" },
        { "工作单位", "杭州某某科技有限公司", true, "杭州某某科技有限公司" },
        { "职务", "项目经理", true, "项目经理" },
        { "年级", "2019级", true, "2019级" },
        { "年龄", "25岁", true, "25" },
        { "年龄", "200", false, "200" },
        { "QQ", "１２３４５", true, "12345" },
        { "QQ", "0123", false, "0123" },
        { "姓名", "阿卜杜拉·艾则孜", true, "阿卜杜拉·艾则孜" },
        { "姓名", "Tom", false, "Tom" },
        { "籍贯", "浙江杭州", true, "浙江杭州" },
        { "爱好", "篮球", false, "篮球" },
        // A text that is plainly another kind is no value of these.
        { "学号", "13812345678", false, "13812345678" },
        { "备注", "张三", false, "张三" },
        { "备注", "北京大学", false, "北京大学" },
        { "备注", "周末不能参加", true, "周末不能参加" },
        { "备注", "打篮球", false, "打篮球" },
        { "备注", "谢谢", false, "谢谢" },
        { "姓名", "软件工程", false, "软件工程" },
        { "姓名", "欧阳娜娜", true, "欧阳娜娜" },
        { "职务", "经理", true, "经理" },
        { "部门", "本科", false, "本科" },
        { "学历", "本科", true, "本科" },
        { "籍贯", "北京大学", false, "北京大学" },
        { "地址", "浙江大学城市学院", false, "浙江大学城市学院" },
        { "邮编", "310012", true, "310012" },
        { "性别", "女性", true, "女" },
        { "班级", "大数据2001级", true, "大数据2001级" },
        { "专业", "计算机", true, "计算机" },
        { "部门", "办公室", true, "办公室" },
        { "办公电话", "0571-88776655分机123", true, "0571-88776655分机123" },
        { "院系", "计算机学院", true, "计算机学院" },
        { "院系", "浙江工业职业技术学院", false, "浙江工业职业技术学院" },
        { "工作单位", "杭州第二中学", true, "杭州第二中学" },
    };
    for (const auto &row : rows) {
        QTest::newRow(
            qPrintable(QString::fromUtf8(row.field) + QLatin1Char(' ') + QString::fromUtf8(row.text)))
            << QString::fromUtf8(row.field) << QString::fromUtf8(row.text) << row.looks
            << QString::fromUtf8(row.canonical);
    }
}

void TestRecordReview::valueShapes()
{
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(bool, looks);
    QFETCH(QString, canonical);
    QCOMPARE(looksLike(fieldKind(field), text, today), looks);
    QCOMPARE(canonicalValue(fieldKind(field), text), canonical);
    // What has the shape is written so that it passes its own field's check, or is told apart by it.
    if (looks && fieldKind(field) != FieldKind::IdNumber)
        QCOMPARE(valueProblem(fieldKind(field), canonical, today), Fault());
}

void TestRecordReview::plainKinds_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<FieldKind>("kind");

    QTest::newRow("mobile") << "13812345678" << FieldKind::Mobile;
    QTest::newRow("mobile in groups") << "+86 138 1234 5678" << FieldKind::Mobile;
    QTest::newRow("mobile, full-width") << "１３８１２３４５６７８" << FieldKind::Mobile;
    QTest::newRow("landline") << "010-62345678" << FieldKind::Landline;
    QTest::newRow("landline, area code in brackets") << "(0571)88776655" << FieldKind::Landline;
    QTest::newRow("local number starting with 1") << "020-12345678" << FieldKind::Other;
    QTest::newRow("mobile after 0086") << "0086 138 1234 5678" << FieldKind::Mobile;
    QTest::newRow("a month alone") << "2019年12月" << FieldKind::Date;
    QTest::newRow("e-mail") << "li@x.cn" << FieldKind::Email;
    QTest::newRow("ID number") << "11010519491231002X" << FieldKind::IdNumber;
    QTest::newRow("ID number, check digit off") << "110105194912310021" << FieldKind::IdNumber;
    QTest::newRow("date") << "2019年12月26日" << FieldKind::Date;
    QTest::newRow("date with slashes") << "2019/12/26" << FieldKind::Date;
    QTest::newRow("eight digits could be a number") << "20191226" << FieldKind::Other;
    QTest::newRow("address") << "北京市海淀区中关村大街1号" << FieldKind::Address;
    QTest::newRow("province and city could be 籍贯") << "浙江省杭州市" << FieldKind::Other;
    QTest::newRow("ethnic group") << "汉族" << FieldKind::Ethnicity;
    QTest::newRow("one character could be anything") << "汉" << FieldKind::Other;
    QTest::newRow("political status") << "共青团员" << FieldKind::PoliticalStatus;
    QTest::newRow("gender") << "男" << FieldKind::Gender;
    QTest::newRow("QQ or anything") << "12345678" << FieldKind::Other;
    QTest::newRow("name") << "张三" << FieldKind::Other;
    QTest::newRow("education") << "本科" << FieldKind::Education;
}

void TestRecordReview::plainKinds()
{
    QFETCH(QString, text);
    QFETCH(FieldKind, kind);
    QCOMPARE(plainKind(text, today), kind);
}

// A birth date told by an ID number against a date cell: a month alone agrees with its month.
void TestRecordReview::datesAgree()
{
    const QDate birth(2001, 5, 12);
    const struct
    {
        const char *text;
        bool agrees;
    } rows[] = { { "2001-05-12", true }, { "2001年5月12日", true }, { "２００１.5.12", true },
                 { "2001年5月", true },  { "200105", true },        { "2001-05-13", false },
                 { "2001年6月", false }, { "2001", false },         { "", false } };
    for (const auto &row : rows)
        QVERIFY2(agreesWithDate(QString::fromUtf8(row.text), birth) == row.agrees, row.text);
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
    QTest::newRow("age with its unit and a month alone agree with the ID number")
        << QStringList { "年龄", "出生年月", "身份证" }
        << "年龄 76岁 出生年月 1949/12 身份证 11010519491231002X"
        << QStringList { "0 check 年龄应为1–120的整数" }
        << QStringList { "76岁", "1949/12", "11010519491231002X" };
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
        << QStringList { "1 suggestion 建议：学生会宣传部（形似部门）" }
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
    // Label words as people write them: never a value, and the value after them goes to their field.
    QTest::newRow("label word is no candidate")
        << QStringList { "姓名", "专业" } << "名字 张三"
        << QStringList { "0 suggestion 建议：张三（跟在标签“名字”之后）" } << QStringList { "张三", "" };
    QTest::newRow("synonym label before a value")
        << QStringList { "姓名", "学校=" } << "张三 毕业院校 北京大学"
        << QStringList { "0 candidates 候选：张三、北京大学", "0 suggestion 建议：张三（常见姓氏）",
                         "1 suggestion 建议：北京大学（跟在标签“毕业院校”之后）" }
        << QStringList { "张三", "北京大学" };
    QTest::newRow("bracketed synonym glued to its value")
        << QStringList { "姓名", "手机" } << "张三 【联系电话】13812345678"
        << QStringList { "1 suggestion 建议：13812345678（来自“【联系电话】13812345678”）" }
        << QStringList { "张三", "13812345678" };
    QTest::newRow("own field name in a cell")
        << QStringList { "姓名", "性别", "年龄" } << "姓名\t性别\t年龄\n张三\t男\t20"
        << QStringList { "0 suggestion 建议：张三（跟在标签“姓名”之后）", "1 candidates 候选：男、20",
                         "1 suggestion 建议：男（跟在标签“性别”之后）", "2 check 年龄应为1–120的整数",
                         "2 suggestion 建议：20（跟在标签“年龄”之后）" }
        << QStringList { "张三", "男", "20" };
    // Invisible characters glue values into one token; for the review they separate.
    QTest::newRow("zero-width space")
        << QStringList { "姓名", "性别" } << "张三\u200B女"
        << QStringList { "0 check 含有不可见字符", "0 suggestion 建议：张三（来自“张三\u200B女”）",
                         "1 suggestion 建议：女（来自“张三\u200B女”）" }
        << QStringList { "张三", "女" };
    QTest::newRow("byte order mark")
        << QStringList { "性别", "手机" } << "女\uFEFF13812345678"
        << QStringList { "0 check 含有不可见字符", "0 suggestion 建议：女（来自“女\uFEFF13812345678”）",
                         "1 suggestion 建议：13812345678（来自“女\uFEFF13812345678”）" }
        << QStringList { "女", "13812345678" };
    // Punctuation cuts only where every piece is a value; dates, addresses of mail, classes and
    // landlines stay whole.
    QTest::newRow("class and gender joined by a dash")
        << QStringList { "班级", "性别" } << "大数据2001级-女"
        << QStringList { "0 suggestion 建议：大数据2001级（来自“大数据2001级-女”）", "1 check 性别应为男或女",
                         "1 suggestion 建议：女（来自“大数据2001级-女”）" }
        << QStringList { "大数据2001级", "女" };
    QTest::newRow("e-mail and gender joined by a dot")
        << QStringList { "邮箱", "性别" } << "zs@163.com.男"
        << QStringList { "0 suggestion 建议：zs@163.com（来自“zs@163.com.男”）", "1 check 性别应为男或女",
                         "1 suggestion 建议：男（来自“zs@163.com.男”）" }
        << QStringList { "zs@163.com", "男" };
    QTest::newRow("gender and major joined by a dash")
        << QStringList { "性别", "专业" } << "男-软件工程"
        << QStringList { "0 check 性别应为男或女", "0 suggestion 建议：男（来自“男-软件工程”）",
                         "1 suggestion 建议：软件工程（来自“男-软件工程”）" }
        << QStringList { "男", "软件工程" };
    QTest::newRow("date with slashes stays whole")
        << QStringList { "入职日期", "年龄" } << "入职日期 2019/03/01" << QStringList()
        << QStringList { "2019/03/01", "" };
    QTest::newRow("date with dots stays whole")
        << QStringList { "性别", "入职日期=" } << "女 2019.3.1"
        << QStringList { "0 candidates 候选：女、2019.3.1", "0 suggestion 建议：女（唯一通过校验的候选）",
                         "1 suggestion 建议：2019.3.1（形似日期）" }
        << QStringList { "女", "2019.3.1" };
    QTest::newRow("class with brackets stays whole")
        << QStringList { "班级=", "性别" } << "高三(2)班 男"
        << QStringList { "0 suggestion 建议：高三(2)班（形似班级）" } << QStringList { "高三(2)班", "男" };
    QTest::newRow("class with a dash stays whole")
        << QStringList { "班级=", "性别" } << "网安24-4班 男"
        << QStringList { "0 suggestion 建议：网安24-4班（形似班级）" } << QStringList { "网安24-4班", "男" };
    QTest::newRow("landline stays whole") << QStringList { "座机=", "年龄" } << "010-62345678 20"
                                          << QStringList { "0 suggestion 建议：010-62345678（形似固定电话）" }
                                          << QStringList { "010-62345678", "20" };
    // The kinds with a shape of their own, in fields without a pattern.
    QTest::newRow("address") << QStringList { "姓名", "家庭住址=" } << "张三 北京市海淀区中关村大街27号"
                             << QStringList { "1 suggestion 建议：北京市海淀区中关村大街27号（形似地址）" }
                             << QStringList { "张三", "北京市海淀区中关村大街27号" };
    QTest::newRow("remark: the one phrase left over")
        << QStringList { "姓名", "备注=" } << "张三 已缴费"
        << QStringList { "0 candidates 候选：张三、已缴费", "0 suggestion 建议：张三（常见姓氏）",
                         "1 suggestion 建议：已缴费（唯一余下的短语）" }
        << QStringList { "张三", "已缴费" };
    QTest::newRow("remark: two phrases, none proposed")
        << QStringList { "姓名", "备注=" } << "张三 已缴费 材料已交"
        << QStringList { "0 candidates 候选：张三、已缴费、材料已交", "0 suggestion 建议：张三（常见姓氏）" }
        << QStringList { "张三", "" };
    QTest::newRow("old 15-digit ID number")
        << QStringList { "身份证=" } << "身份证 110105491231002" << QStringList { "0 check 旧版15位身份证" }
        << QStringList { "110105491231002" };
    QTest::newRow("a remark is no major")
        << QStringList { "姓名", "专业" } << "专业 晚到一天" << QStringList { "1 check 像是备注" }
        << QStringList { "", "晚到一天" };
    QTest::newRow("words to the reader are no major")
        << QStringList { "姓名", "专业" } << "专业 请老师查收" << QStringList { "1 check 像是附言而非数据" }
        << QStringList { "", "请老师查收" };
    QTest::newRow("remark: a word to the reader is none")
        << QStringList { "姓名", "备注=" } << "张三 请核对"
        << QStringList { "0 suggestion 建议：张三（常见姓氏）" } << QStringList { "张三", "" };
    QTest::newRow("numbered items: the numbers are no candidates")
        << QStringList { "手机", "姓名", "年龄" } << "1、13912345678\n2、张三" << QStringList()
        << QStringList { "13912345678", "张三", "" };
    QTest::newRow("old 15-digit ID number proposed beyond the 18-digit pattern")
        << QStringList { "姓名", "身份证" } << "张三 110105491231002"
        << QStringList { "1 suggestion 建议：110105491231002（形似身份证号）" }
        << QStringList { "张三", "110105491231002" };
    QTest::newRow("synonym label before a full-width value")
        << QStringList { "姓名", "手机" } << "张三 手机号码：１３８１２３４５６７８"
        << QStringList { "0 suggestion 建议：张三（常见姓氏）",
                         "1 suggestion 建议：13812345678（来自“１３８１２３４５６７８”）" }
        << QStringList { "张三", "13812345678" };
    QTest::newRow("word joiner and a glued label")
        << QStringList { "姓名", "学号" } << "李雷⁠学号2020123456789"
        << QStringList { "0 suggestion 建议：李雷（来自“李雷⁠学号2020123456789”）",
                         "1 suggestion 建议：2020123456789（来自“李雷⁠学号2020123456789”）" }
        << QStringList { "李雷", "2020123456789" };
    QTest::newRow("spreadsheet row with an empty cell")
        << QStringList { "姓名", "性别", "年龄", "手机" } << "姓名\t性别\t年龄\t手机\n张三\t\t20\t13812345678"
        << QStringList { "0 suggestion 建议：张三（跟在标签“姓名”之后）", "1 check 性别应为男或女",
                         "1 suggestion 建议：清空（移至“手机”）", "3 check 手机号应为11位数字",
                         "3 suggestion 建议：13812345678（跟在标签“手机”之后）" }
        << QStringList { "张三", "", "20", "13812345678" };
    // Plain faults.
    QTest::newRow("invalid pattern judges nothing")
        << QStringList { "班级=([" } << "班级 三班" << QStringList() << QStringList { "三班" };
    QTest::newRow("full-width digits said as such")
        << QStringList { "手机" } << "手机 １３８１２３４５６７８"
        << QStringList { "0 check 含全角数字",
                         "0 suggestion 建议：13812345678（来自“１３８１２３４５６７８”）" }
        << QStringList { "13812345678" };
    QTest::newRow("one token to one column")
        << QStringList { "手机", "QQ=\\d{5,11}" } << "手机 １３８１２３４５６７８"
        << QStringList { "0 check 含全角数字",
                         "0 suggestion 建议：13812345678（来自“１３８１２３４５６７８”）" }
        << QStringList { "13812345678", "" };
    QTest::newRow("lax pattern took another kind")
        << QStringList { "姓名", "QQ=\\d{5,11}" } << "张三 13905712266"
        << QStringList { "1 check 像是手机号", "1 suggestion 建议：清空（像是手机号）" }
        << QStringList { "张三", "" };
    QTest::newRow("list numbering glued to values")
        << QStringList { "民族=", "性别" } << "1.女 2.汉族"
        << QStringList { "0 suggestion 建议：汉族（来自“2.汉族”）", "1 check 含有序号“1.”",
                         "1 suggestion 建议：女（来自“1.女”）" }
        << QStringList { "汉族", "女" };
    QTest::newRow("number written in groups")
        << QStringList { "姓名", "手机" } << "张三 +86 139 0571 2266"
        << QStringList { "1 suggestion 建议：13905712266（来自“+86 139 0571 2266”）" }
        << QStringList { "张三", "13905712266" };
    // One full-width test for cells and values: forms beyond letters and digits are named so.
    QTest::newRow("full-width brackets and digits")
        << QStringList { "电话" } << "电话 （０５７１）８８７７６６５５"
        << QStringList { "0 check 含全角字符",
                         "0 suggestion 建议：(0571)88776655（来自“（０５７１）８８７７６６５５”）" }
        << QStringList { "(0571)88776655" };
    // One grade test: a cohort (2023级) is a grade by its shape, as the pattern-less field reads it.
    QTest::newRow("a cohort is a grade")
        << QStringList { "姓名", "所在年级=" } << "张三 2023级"
        << QStringList { "1 suggestion 建议：2023级（形似年级）" } << QStringList { "张三", "2023级" };
    QTest::newRow("a right labelled date gives no piece away")
        << QStringList { "出生日期", "年龄" } << "出生日期 2001/10/5" << QStringList()
        << QStringList { "2001/10/5", "" };
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

// A label-filled value of its field's kind that the user's pattern does not fit: the pattern is said to
// be narrow, and the row carries no note for it.
void TestRecordReview::narrowPattern_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("narrow");
    QTest::addColumn<int>("notes");

    QTest::newRow("class without two digits") << "班级"
                                              << "班级 初二3班" << true << 0;
    QTest::newRow("class with its number in brackets") << "班级"
                                                       << "班级 高三(2)班" << true << 0;
    QTest::newRow("class the pattern fits") << "班级"
                                            << "班级 计科2001班" << false << 0;
    QTest::newRow("no class at all") << "班级"
                                     << "班级 张三" << false << 1;
    QTest::newRow("department without a known ending") << "所在部门=(部|处|科|室|中心)$"
                                                       << "所在部门 图书馆" << true << 0;
    QTest::newRow("a name is no department") << "所在部门=(部|处|科|室|中心)$"
                                             << "所在部门 王小明" << false << 1;
}

void TestRecordReview::narrowPattern()
{
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(bool, narrow);
    QFETCH(int, notes);
    const RecordReview review = reviewText(text, fieldsNamed({ field }), today);
    QCOMPARE(review.narrowPattern, QList<bool> { narrow });
    QCOMPARE(review.notes.size(), notes);
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

// A field file may name a field by megabytes: the record is still classified and reviewed, the field
// read by the known name its name ends in.
void TestRecordReview::fieldNamedByMegabytes()
{
    const QList<FieldDef> fields { { QString(4 << 20, QChar(u'长')) + QStringLiteral("联系电话"), QString() },
                                   { QStringLiteral("姓名"), presetPattern(QStringLiteral("姓名")) } };
    const RecordReview review = reviewText(QStringLiteral("张三 13812345678"), fields, today);
    QCOMPARE(review.cells, QStringList({ "", "张三" }));
    QCOMPARE(review.suggested, QStringList({ "13812345678", "张三" }));
}

// Sentences are made in one place from the fault values: none may be left without one.
void TestRecordReview::everyFaultHasASentence()
{
    QVERIFY(ReviewWording::fault(Fault()).isEmpty());
    QSet<QString> sentences;
    for (int type = int(FaultType::None) + 1; type < int(FaultType::Count); ++type) {
        Fault fault(FaultType(type), QStringLiteral("x"));
        fault.kind = FieldKind::Mobile;
        fault.date = today;
        const QString sentence = ReviewWording::fault(fault);
        QVERIFY2(!sentence.isEmpty(), qPrintable(QString::number(type)));
        sentences.insert(sentence);
    }
    QCOMPARE(sentences.size(), int(FaultType::Count) - 1); // and no two faults say the same
    for (int type = 0; type < int(ReasonType::Count); ++type)
        QVERIFY2(!ReviewWording::reason(Reason(ReasonType(type), QStringLiteral("x"), FieldKind::Mobile))
                      .isEmpty(),
                 qPrintable(QString::number(type)));
}

// A check's note carries its fault as a value: an old ID number is told by its type, not its sentence,
// and is no fault to fix; the row is checked against what it tells all the same.
void TestRecordReview::notesCarryTheirFaults()
{
    const QList<FieldDef> fields = fieldsNamed({ "身份证=", "性别" });
    const ReviewInput input { fields, { "110105491231002", "男" }, { true, true }, {}, {}, {} };
    const RecordReview review = reviewRecord(input, today);
    QCOMPARE(review.notes.size(), 2);
    QCOMPARE(review.notes.at(0).fault.type, FaultType::IdOld15);
    QCOMPARE(review.notes.at(0).text, ReviewWording::fault(review.notes.at(0).fault));
    QCOMPARE(review.notes.at(1).fault.type, FaultType::GenderAgainstId);
    QCOMPARE(review.notes.at(1).fault.number, 0); // the ID number's holder is a woman
    QCOMPARE(review.suggested, input.cells);
    // A run's field facts worked out once give what each record works out alone.
    const RecordReview again = reviewRecord(input, fieldFacts(fields), today);
    QCOMPARE(again.notes.size(), 2);
    QCOMPARE(again.notes.at(1).text, review.notes.at(1).text);
}

QTEST_GUILESS_MAIN(TestRecordReview)
#include "tst_record_review.moc"
