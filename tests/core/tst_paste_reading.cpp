// The reading of a whole paste: labels from the user's own field names, values cut by shape or run
// to the next label, fields of one kind told apart, chat left out, and patterns judged by kind.
#include "engine/pattern_sense.h"
#include "fields/known_fields.h"
#include "reading/field_labels.h"
#include "reading/lexicon.h"
#include "reading/paste_reading.h"
#include "reading/reading_notes.h"
#include "reading/reading_words.h"
#include "reading/value_spans.h"
#include "review/kind_traits.h"
#include "review/record_review.h"

#include <QtTest>

namespace {

// "name" or "name=pattern".
QList<FieldDef> fieldsOf(const QStringList &names)
{
    QList<FieldDef> fields;
    for (const QString &name : names) {
        const int equals = name.indexOf(QLatin1Char('='));
        fields.append(equals < 0 ? FieldDef { name, QString() }
                                 : FieldDef { name.left(equals), name.mid(equals + 1) });
    }
    return fields;
}

} // namespace

class TestPasteReading : public QObject
{
    Q_OBJECT

private slots:
    void kinds_data();
    void kinds();
    void labels_data();
    void labels();
    void spans_data();
    void spans();
    void lexicon();
    void chat_data();
    void chat();
    void reading_data();
    void reading();
    void notes();
    void patternSense_data();
    void patternSense();
};

void TestPasteReading::kinds_data()
{
    QTest::addColumn<QString>("field"); // name=pattern
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("extra");
    QTest::addColumn<bool>("usable");

    QTest::newRow("known name with a fill remark") << "备注（选填）" << int(FieldKind::Remark) << 0 << false;
    QTest::newRow("known name after a word") << "联系手机=1\\d{10}" << int(FieldKind::Mobile) << 0 << true;
    QTest::newRow("a word of the reading's lists")
        << "人员编号" << int(FieldKind::EmployeeNumber) << 0 << false;
    QTest::newRow("room") << "宿舍号 =^\\d+[-#]\\d+$" << int(FieldKind::Other) << int(ExtraKind::Room)
                          << true;
    QTest::newRow("count") << "参会人数=^[1-9]$" << int(FieldKind::Other) << int(ExtraKind::Count) << true;
    QTest::newRow("yes or no") << "是否住宿=^[是否]$" << int(FieldKind::Other) << int(ExtraKind::YesNo)
                               << true;
    QTest::newRow("\\u in the pattern")
        << "姓名：=^[\\u4e00-\\u9fa5]{2,4}$" << int(FieldKind::Name) << 0 << false;
    QTest::newRow("unbalanced pattern") << "年级=(大一|2024级" << int(FieldKind::Grade) << 0 << false;
    QTest::newRow("a lone star") << "留言=*" << int(FieldKind::Remark) << 0 << false;
}

void TestPasteReading::kinds()
{
    QFETCH(QString, field);
    QFETCH(int, kind);
    QFETCH(int, extra);
    QFETCH(bool, usable);
    const FieldLabels labels(fieldsOf({ field }));
    QCOMPARE(int(labels.kinds.at(0)), kind);
    QCOMPARE(int(labels.extras.at(0)), extra);
    QCOMPARE(bool(labels.validPattern.at(0)), usable);
}

void TestPasteReading::labels_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("phrase");
    QTest::addColumn<bool>("found");

    // A field name as users type it, and a label as people write it before a colon or in brackets.
    QTest::newRow("colon in the name") << "姓名："
                                       << "姓名" << true;
    QTest::newRow("spaces in the name") << "姓 名"
                                        << "姓名" << true;
    QTest::newRow("fill remark in the name") << "备注（选填）"
                                             << "备注" << true;
    QTest::newRow("fill remark in the label") << "备注"
                                              << "备注(选填)" << true;
    QTest::newRow("head word: 所在") << "所在部门"
                                     << "部门" << true;
    QTest::newRow("head word: 是否") << "是否住宿"
                                     << "住宿" << true;
    QTest::newRow("head word and suffix") << "宿舍号 "
                                          << "寝室号" << true;
    QTest::newRow("another prefix on the head word") << "参会人数"
                                                     << "报名人数" << true;
    QTest::newRow("kind synonym") << "电话号码"
                                  << "联系方式" << true;
    QTest::newRow("known label at the end") << "手机"
                                            << "收货人手机" << true;
    QTest::newRow("a word of the list's own kind") << "人员编号"
                                                   << "员工号" << true;
    QTest::newRow("case and width") << "Email"
                                    << "ＥＭＡＩＬ" << true;
    QTest::newRow("a word of the reading's lists: 面貌") << "政治面貌"
                                                         << "面貌" << true;
    QTest::newRow("someone else's") << "手机"
                                    << "紧急联系人电话" << false;
    QTest::newRow("a label of nothing asked") << "姓名"
                                              << "婚姻状况" << false;
    QTest::newRow("a question of nothing asked") << "是否住宿"
                                                 << "是否需要发票" << false;
}

void TestPasteReading::labels()
{
    QFETCH(QString, name);
    QFETCH(QString, phrase);
    QFETCH(bool, found);
    const FieldLabels labels(fieldsOf({ QStringLiteral("其他"), name }));
    const FieldLabel label = labels.resolvePhrase(phrase);
    const bool names = (label.target == FieldLabel::Target::Field && label.field == 1)
        || (label.target == FieldLabel::Target::Kind && kindCovers(labels.kinds.at(1), label.kind));
    QCOMPARE(names, found);
}

void TestPasteReading::spans_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("expected"); // kind:value per span

    QTest::newRow("mobile glued to words") << "手机13912345678谢谢"
                                           << "mobile:13912345678";
    QTest::newRow("mobile in groups after +86") << "+86 139-1234-5678"
                                                << "mobile:13912345678";
    QTest::newRow("id glued to a name") << "王芳11010519900307123X"
                                        << "id:11010519900307123X";
    QTest::newRow("id in groups") << "110105 19900307 1234"
                                  << "id:110105199003071234";
    QTest::newRow("old id") << "身份证110105900307123"
                            << "id:110105900307123";
    QTest::newRow("landline with extension") << "0571-88776655转123"
                                             << "landline:0571-88776655转123";
    QTest::newRow("landline in brackets") << "(028)53189874"
                                          << "landline:(028)53189874";
    QTest::newRow("date in words") << "生于1990年3月7日"
                                   << "date:1990年3月7日";
    QTest::newRow("date with dots, then a mobile") << "1987.2-15056069630"
                                                   << "date:1987.2 mobile:15056069630";
    QTest::newRow("number glued before an address") << "13912345678abc@qq.com"
                                                    << "mobile:13912345678 email:abc@qq.com";
    QTest::newRow("ID number glued before an address") << "12101419951015063X.ke-ke@139.com"
                                                       << "id:12101419951015063X email:ke-ke@139.com";
    QTest::newRow("e-mail starting with digits") << "邮箱123456@qq.com"
                                                 << "email:123456@qq.com";
    QTest::newRow("post code and a short number") << "邮编100081，3人"
                                                  << "digits:100081 digits:3";
    QTest::newRow("no digits") << "张三，男"
                               << "";
    QTest::newRow("a month and a day") << "报到时间1月17日"
                                       << "date:1月17日";
    QTest::newRow("a grade is no date") << "2024级 24-3班"
                                        << "digits:2024 digits:24 digits:3";
    QTest::newRow("a lower-case x made upper") << "11010519491231002x"
                                               << "id:11010519491231002X";
    QTest::newRow("a local number alone") << "电话 88776655"
                                          << "digits:88776655";
    // Runs of digits alone, read by their length and first digits as the expression would.
    QTest::newRow("runs at colons and commas") << "QQ:12345678;学号:2024011234, 110105199003071234"
                                               << "digits:12345678 digits:2024011234 id:110105199003071234";
    QTest::newRow("mobile after 86, from 12") << "8613912345678，12912345678"
                                              << "mobile:13912345678 mobile:12912345678";
    QTest::newRow("eleven digits from 10") << "10912345678"
                                           << "digits:10912345678";
    QTest::newRow("landlines without a dash") << "0288765432 05718877665 057188776655 0571188776"
                                              << "landline:0288765432 landline:05718877665 "
                                                 "landline:057188776655 digits:0571188776";
    QTest::newRow("fifteen digits from 0086") << "008613912345678"
                                              << "id:008613912345678";
}

void TestPasteReading::spans()
{
    QFETCH(QString, line);
    QFETCH(QString, expected);
    static const char *names[] = { "email", "id", "mobile", "landline", "date", "digits" };
    QStringList found;
    for (const ValueSpan &span : valueSpans(line))
        found << QString::fromLatin1(names[int(span.kind)]) + QLatin1Char(':') + span.value;
    QCOMPARE(found.join(QLatin1Char(' ')), expected);
}

void TestPasteReading::lexicon()
{
    // Derived from jieba's dictionary when the program is built.
    QCOMPARE(wordClass(QStringLiteral("计算机")), WordClass::Word);
    QCOMPARE(wordClass(QStringLiteral("柳州市")), WordClass::Place);
    QCOMPARE(wordClass(QStringLiteral("黄晓明")), WordClass::None); // names are left out
    QCOMPARE(wordClass(QStringLiteral("计")), WordClass::None);
    QCOMPARE(placePrefix(QStringLiteral("柳州市鱼峰区")), 3);
    QCOMPARE(placePrefix(QStringLiteral("计算机")), 0);
}

void TestPasteReading::chat_data()
{
    QTest::addColumn<QString>("piece");
    QTest::addColumn<bool>("chat");
    QTest::addColumn<QString>("value"); // the piece without its lead-in, or after its greeting

    QTest::newRow("greeting") << "老师您好" << true << "";
    QTest::newRow("greeting by its ending") << "学长好" << true << "";
    QTest::newRow("thanks") << "谢谢老师" << true << "";
    QTest::newRow("short reply") << "好的" << true << "";
    QTest::newRow("particle at the end") << "地址发你哈" << true << "";
    QTest::newRow("greeting glued before a value") << "会务组老师好大同市统计局" << true << "大同市统计局";
    QTest::newRow("a value is no chat") << "人在户不在" << false << "人在户不在";
    QTest::newRow("lead-in: a name") << "我叫张伟" << false << "张伟";
    QTest::newRow("lead-in: an address") << "住在江西省赣州市" << false << "江西省赣州市";
    QTest::newRow("lead-in: a school") << "毕业于江西理工大学" << false << "江西理工大学";
    QTest::newRow("around a workplace") << "在宁波市统计局工作" << false << "宁波市统计局";
    QTest::newRow("around no workplace") << "在外地上学" << false << "在外地上学";
    QTest::newRow("lead-in before a number only") << "住4-319" << false << "4-319";
    QTest::newRow("no lead-in before words") << "住两晚" << false << "住两晚";
    QTest::newRow("mention") << "@林经理" << true << "";
}

void TestPasteReading::chat()
{
    QFETCH(QString, piece);
    QFETCH(bool, chat);
    QFETCH(QString, value);
    QCOMPARE(isChat(piece), chat);
    QCOMPARE(chat ? afterChat(piece) : withoutLeadIn(piece), value);
}

void TestPasteReading::reading_data()
{
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("expected");

    const QStringList person { "姓名：", "手机", "备注（选填）" };
    // Labels from the field names, normalised, glued, in brackets, after 所在 or 本人.
    QTest::newRow("colon") << person << "姓名：张伟\n手机：13912345678"
                           << QStringList { "张伟", "13912345678", "" };
    QTest::newRow("glued") << person << "姓名张伟手机13912345678"
                           << QStringList { "张伟", "13912345678", "" };
    QTest::newRow("brackets") << person << "【姓名】张伟 [手机]13912345678 「备注（选填）」已缴费"
                              << QStringList { "张伟", "13912345678", "已缴费" };
    QTest::newRow("equals") << person << "姓名=张伟 手机=13912345678"
                            << QStringList { "张伟", "13912345678", "" };
    QTest::newRow("prefixed label") << person << "本人姓名 张伟 本人手机 139 1234 5678"
                                    << QStringList { "张伟", "13912345678", "" };
    QTest::newRow("label of a field named with spaces")
        << QStringList { "姓 名", "宿舍号 " } << "宿舍号：3-201 姓名 李娜" << QStringList { "李娜", "3-201" };
    QTest::newRow("head word") << QStringList { "参会人数", "是否住宿" } << "人数：2人\n住宿：否（当天返回）"
                               << QStringList { "2人", "否(当天返回)" };
    QTest::newRow("label words are no values")
        << person << "姓名\n手机\n张伟" << QStringList { "张伟", "", "" };
    QTest::newRow("label of nothing asked")
        << person << "张伟 婚姻状况：已婚 13912345678" << QStringList { "张伟", "13912345678", "" };

    // Shapes cut out of glued text.
    const QStringList shaped { "姓名", "身份证", "邮箱", "出生日期", "邮编", "电话" };
    QTest::newRow("id and email glued")
        << shaped << "王芳110105199003071234wang.fang@163.com"
        << QStringList { "王芳", "110105199003071234", "wang.fang@163.com", "", "", "" };
    QTest::newRow("date and post code glued")
        << shaped << "王芳1990-03-07/100081" << QStringList { "王芳", "", "", "1990-03-07", "100081", "" };
    QTest::newRow("landline with extension") << shaped << "王芳,电话0571-88776655-123"
                                             << QStringList { "王芳", "", "", "", "", "0571-88776655-123" };
    QTest::newRow("mobile after +86 in groups")
        << shaped << "王芳 +86 139 1234 5678" << QStringList { "王芳", "", "", "", "", "13912345678" };
    QTest::newRow("full-width id") << shaped << "王芳 １１０１０５１９９００３０７１２３Ｘ"
                                   << QStringList { "王芳", "11010519900307123X", "", "", "", "" };

    // Free text runs to the next label or the end of its sentence; an address joins its parts.
    const QStringList parcel { "收件人", "手机", "收货地址", "留言" };
    QTest::newRow("remark with a comma")
        << parcel << "收件人：刘洋 留言：到了打电话，家里有狗 手机13912345678"
        << QStringList { "刘洋", "13912345678", "", "到了打电话,家里有狗" };
    QTest::newRow("address cut by spaces")
        << parcel << "收货地址： 浙江省 杭州市 西湖区 文三路100号 3栋502\n刘洋"
        << QStringList { "刘洋", "", "浙江省杭州市西湖区文三路100号3栋502", "" };
    QTest::newRow("address in two labels") << parcel << "所在地区：江苏省 南京市 鼓楼区\n详细地址：中山路8号"
                                           << QStringList { "", "", "江苏省南京市鼓楼区中山路8号", "" };

    // Same-kind fields: by label, then by order; someone else's number stays out.
    const QStringList phones { "手机", "联系方式" };
    QTest::newRow("by label") << phones << "联系方式：13800000001 手机：13900000002"
                              << QStringList { "13900000002", "13800000001" };
    QTest::newRow("landline to the wider field")
        << phones << "13900000002 (028)53189874" << QStringList { "13900000002", "(028)53189874" };
    QTest::newRow("someone else's") << QStringList { "姓名", "手机" }
                                    << "紧急联系人：李强 13700000003\n张伟 13900000002"
                                    << QStringList { "张伟", "13900000002" };
    QTest::newRow("pieces joined by a slash")
        << QStringList { "姓名", "性别", "民族" } << "姓名/性别：端木翔/男 汉族"
        << QStringList { "端木翔", "男", "汉族" };

    // Chat around the values.
    QTest::newRow("greeting and lead-in") << person << "老师您好！我叫张伟，13912345678，谢谢老师[抱拳]"
                                          << QStringList { "张伟", "13912345678", "" };
    QTest::newRow("mention and quoted prompt")
        << person << "@班长 「请按 姓名 手机 格式回复一下」\n张伟 13912345678"
        << QStringList { "张伟", "13912345678", "" };
    QTest::newRow("dictionary word is no name")
        << QStringList { "姓名", "学号" } << "计算机 黄晓明" << QStringList { "黄晓明", "" };
    QTest::newRow("chat alone") << person << "好的👌" << QStringList { "", "", "" };
    QTest::newRow("punctuation alone")
        << person << "--、、@@ [] 【】：：\n男--汉族 ()（）" << QStringList { "", "", "" };
    QTest::newRow("greeting glued before a value")
        << QStringList { "姓名", "单位" } << "会务组老师好大同市统计局 张伟"
        << QStringList { "张伟", "大同市统计局" };
    QTest::newRow("sticker after a value")
        << person << "张伟[爱心] 13912345678[抱拳]" << QStringList { "张伟", "13912345678", "" };
    QTest::newRow("correction") << person << "张伟 13912345678\n电话打错了，正确的是 13912345679"
                                << QStringList { "张伟", "13912345679", "" };

    // Layouts: spreadsheet rows, numbered lines, labels in a row, colons as separators.
    const QStringList sheet { "姓名", "性别", "手机", "专业" };
    QTest::newRow("spreadsheet row") << sheet << "姓名\t性别\t手机\t专业\n张伟\t男\t13912345678\t软件工程"
                                     << QStringList { "张伟", "男", "13912345678", "软件工程" };
    QTest::newRow("numbered lines") << sheet << "1、13912345678\n2.张伟\n(3)男"
                                    << QStringList { "张伟", "男", "13912345678", "" };
    QTest::newRow("numbering before a year")
        << QStringList { "姓名", "年龄", "入职日期" } << "1.张伟\n6.2025年1月18日"
        << QStringList { "张伟", "", "2025年1月18日" };
    QTest::newRow("labels in a row glued")
        << sheet << "姓名性别：张伟-男" << QStringList { "张伟", "男", "", "" };
    QTest::newRow("two labels written as one")
        << QStringList { "姓名", "所在部门", "岗位", "手机" }
        << "姓名：张伟\n所在部门岗位：财务科/会计\n收件人电话：13912345678"
        << QStringList { "张伟", "财务科", "会计", "13912345678" };
    QTest::newRow("spreadsheet row with empty cells")
        << QStringList { "姓名", "手机", "学号", "地址" }
        << "性别\t手机号码\t学籍号\t地址\n\t13912345678\t\t浙江省温州市瑞安市科技二路168弄11号"
        << QStringList { "", "13912345678", "", "浙江省温州市瑞安市科技二路168弄11号" };
    QTest::newRow("a label with a space in it")
        << QStringList { "姓 名", "手机 号" } << "姓 名钱薇 手机 号172-3628-3660"
        << QStringList { "钱薇", "17236283660" };
    QTest::newRow("a label glued before an address of letters")
        << QStringList { "姓名", "E-mail" } << "张伟 E-maillucky.star@yeah.net"
        << QStringList { "张伟", "lucky.star@yeah.net" };
    QTest::newRow("a class with its number in brackets")
        << QStringList { "姓名", "班级", "年龄" } << "柴汐、高三（2）班"
        << QStringList { "柴汐", "高三(2)班", "" };
    QTest::newRow("dashes: inside a class, between values")
        << QStringList { "姓名", "班级", "地址", "性别" } << "金融23-2班-汤航 长江西路146号29幢603-男"
        << QStringList { "汤航", "金融23-2班", "长江西路146号29幢603", "男" };
    QTest::newRow("chat and a dash after a labelled value")
        << QStringList { "姓名", "所在班级", "专业", "学号" }
        << "金汐:所在班级 高二（5）班-请老师查收 所学专业物流管理-学号207981217210"
        << QStringList { "金汐", "高二(5)班", "物流管理", "207981217210" };
    QTest::newRow("a remark glued to a label that often starts one")
        << QStringList { "姓名", "说明" } << "姓名冯睿、说明已交押金" << QStringList { "冯睿", "已交押金" };
    QTest::newRow("colons between values")
        << sheet << "张伟：男：13912345678" << QStringList { "张伟", "男", "13912345678", "" };
    QTest::newRow("a value before a colon is no label")
        << QStringList { "姓名", "学校", "年级" } << "浙江大学:张伟，小学三年级：13912345678"
        << QStringList { "张伟", "浙江大学", "小学三年级" };

    // Kinds a field list asks for in its own words.
    QTest::newRow("room, count and yes or no")
        << QStringList { "姓名", "宿舍号", "参会人数", "是否住宿" } << "张伟 住3-201 两人 否"
        << QStringList { "张伟", "3-201", "两人", "否" };
    QTest::newRow("a code its pattern fits in capitals")
        << QStringList { "人员编号=^[A-Z]{2}\\d{4}$", "姓名" } << "fl1995 张伟"
        << QStringList { "fl1995", "张伟" };
    QTest::newRow("a school as the employer")
        << QStringList { "姓名", "单位", "职务" } << "张伟 江西理工大学 科长"
        << QStringList { "张伟", "江西理工大学", "科长" };
    QTest::newRow("a 学院 as the department") << QStringList { "姓名", "学院" } << "张伟 计算机学院 象山中学"
                                              << QStringList { "张伟", "计算机学院" };
    QTest::newRow("region names start the address")
        << QStringList { "姓名", "地址" } << "柳北区，工农路335号 胡煜铭"
        << QStringList { "胡煜铭", "柳北区工农路335号" };
    QTest::newRow("a date without a label: the birth date first")
        << QStringList { "姓名", "入职日期", "出生日期" } << "张伟 1990-01-02 入职日期：2024-03-01"
        << QStringList { "张伟", "2024-03-01", "1990-01-02" };
    QTest::newRow("a name in letters") << QStringList { "姓名", "手机" } << "姓名：Lucas Meyer 13912345678"
                                       << QStringList { "Lucas Meyer", "13912345678" };
    QTest::newRow("codes: a staff number, then a room")
        << QStringList { "姓名", "学号=^\\d{10}$", "人员编号", "宿舍号=^\\d+[-#]\\d+$" }
        << "张伟 FL1995 D7430" << QStringList { "张伟", "", "FL1995", "D7430" };
    QTest::newRow("a code after a label")
        << QStringList { "姓名", "宿舍号" } << "寝室： C17328 张伟" << QStringList { "张伟", "C17328" };
    QTest::newRow("thanks glued to the address")
        << QStringList { "姓名", "地址" } << "地址：文昌路576号1802室多谢 张伟"
        << QStringList { "张伟", "文昌路576号1802室" };
    QTest::newRow("someone else's number where a field asks for it")
        << QStringList { "姓名", "手机", "家长电话" } << "张伟 13912345678 家长电话：13700000003"
        << QStringList { "张伟", "13912345678", "13700000003" };
    QTest::newRow("a detail of a kind not asked is left out")
        << QStringList { "姓名", "备注" } << "张伟 政治面貌：团员 婚姻状况：未婚 备注：已交材料"
        << QStringList { "张伟", "已交材料" };
    QTest::newRow("a question not asked")
        << QStringList { "姓名", "是否住宿" } << "张伟\n是否需要发票：是\n住宿：否"
        << QStringList { "张伟", "否" };
    QTest::newRow("a name without a common surname")
        << QStringList { "姓名", "手机" } << "其其格\n13912345678" << QStringList { "其其格", "13912345678" };
    QTest::newRow("a name in a minority's form")
        << QStringList { "姓名", "手机" } << "热娜古丽•卡德尔，13912345678"
        << QStringList { "热娜古丽•卡德尔", "13912345678" };
    QTest::newRow("lead-ins") << QStringList { "姓名", "单位", "学校" }
                              << "我叫张伟，在宁波市统计局工作，毕业于浙江大学"
                              << QStringList { "张伟", "宁波市统计局", "浙江大学" };
    QTest::newRow("an addressee before a colon")
        << QStringList { "姓名", "单位" } << "回复 会务组：张伟 江西理工大学"
        << QStringList { "张伟", "江西理工大学" };
    QTest::newRow("head-word label glued")
        << QStringList { "姓名", "所在部门", "岗位" } << "姓名张伟部门财务科岗位会计"
        << QStringList { "张伟", "财务科", "会计" };
    QTest::newRow("a label that often starts a value")
        << QStringList { "姓名", "专业" } << "张伟 专业技术学院" << QStringList { "张伟", "" };
    QTest::newRow("spreadsheet row after a greeting")
        << QStringList { "姓名", "学院", "手机" }
        << "@老师 姓名\t学院\t手机\n张伟\t计算机学院\t13912345678\n谢谢"
        << QStringList { "张伟", "计算机学院", "13912345678" };
    QTest::newRow("an address cut by commas after a name")
        << QStringList { "姓名", "地址", "手机" }
        << "林强勇,禅城区 翠柏路878号 盛世华府20栋1001室、13912345678"
        << QStringList { "林强勇", "禅城区翠柏路878号盛世华府20栋1001室", "13912345678" };
    QTest::newRow("a post code and a mobile after an address")
        << QStringList { "姓名", "地址", "邮编", "手机" } << "张伟/弋江区朝阳巷29号/690900/13912345678"
        << QStringList { "张伟", "弋江区朝阳巷29号", "690900", "13912345678" };
    QTest::newRow("an age with its unit")
        << QStringList { "姓名", "年龄" } << "张伟 年龄:30岁" << QStringList { "张伟", "30岁" };
}

void TestPasteReading::reading()
{
    QFETCH(QStringList, names);
    QFETCH(QString, text);
    QFETCH(QStringList, expected);
    QCOMPARE(readPaste(text, fieldsOf(names)), RecordRow(expected));
}

void TestPasteReading::notes()
{
    // The reading replaces the review's suggestion, and a note says so; a cell it agrees with keeps
    // no suggestion, and chat is no candidate.
    RecordReview review;
    review.cells = RecordRow { "张伟", "", "已交" };
    review.suggested = RecordRow { "张伟", "男", "材料" };
    review.notes = { { 0, ReviewNote::Kind::Candidates, "候选：稍等、马上发", { "稍等", "马上发" }, -1, {} },
                     { 2, ReviewNote::Kind::Suggestion, "建议：材料", { "材料" }, -1, {} } };
    takeReading(review.cells, &review.suggested, &review.notes, { "张伟", "女", "已交" }, {});
    QCOMPARE(review.suggested, RecordRow({ "张伟", "女", "已交" }));
    QCOMPARE(review.notes.size(), 1);
    QCOMPARE(review.notes.at(0).field, 1);
    QCOMPARE(review.notes.at(0).values, QStringList { "女" });

    // A field set by hand keeps what the review had; with fewer values found the reading only
    // fills what the review leaves empty.
    review.suggested = RecordRow { "张伟", "", "材料" };
    takeReading(review.cells, &review.suggested, &review.notes, { "", "女", "" }, { false, false, true });
    QCOMPARE(review.suggested, RecordRow({ "张伟", "女", "材料" }));
}

void TestPasteReading::patternSense_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<int>("sense");
    QTest::addColumn<bool>("advised");

    QTest::newRow("usable") << "^1\\d{10}$" << int(PatternSense::Usable) << false;
    QTest::newRow("empty") << "" << int(PatternSense::Empty) << false;
    QTest::newRow("\\u range") << "^[\\u4e00-\\u9fa5]{2,4}$" << int(PatternSense::UnicodeEscape) << true;
    QTest::newRow("\\x range") << "^[\\x4e00-\\x9fa5]{2,4}$" << int(PatternSense::Usable) << false;
    QTest::newRow("escaped backslash before u") << "\\\\u4e00" << int(PatternSense::Usable) << false;
    QTest::newRow("unbalanced") << "(大一|2024级" << int(PatternSense::Unbalanced) << true;
    QTest::newRow("closing first") << "a)(" << int(PatternSense::Unbalanced) << true;
    QTest::newRow("parenthesis in a class") << "[(]\\d+" << int(PatternSense::Usable) << false;
    QTest::newRow("lone star") << "*" << int(PatternSense::LoneRepeat) << true;
    QTest::newRow("leading plus") << "+86" << int(PatternSense::LoneRepeat) << true;
}

void TestPasteReading::patternSense()
{
    QFETCH(QString, pattern);
    QFETCH(int, sense);
    QFETCH(bool, advised);
    QCOMPARE(int(::patternSense(pattern)), sense);
    QCOMPARE(!patternAdvice(pattern).isEmpty(), advised);
}

QTEST_GUILESS_MAIN(TestPasteReading)
#include "tst_paste_reading.moc"
