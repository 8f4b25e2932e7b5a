// The reading of a whole paste: labels from the user's own field names, values cut by shape or run
// to the next label, fields of one kind told apart, chat left out, and patterns judged by kind.
#include "reading/paste_reading.h"
#include "reading/pattern_sense.h"

#include <QtTest>

namespace {

QList<FieldDef> fieldsOf(const QStringList &names)
{
    QList<FieldDef> fields;
    for (const QString &name : names)
        fields.append({ name, QString() });
    return fields;
}

} // namespace

class TestPasteReading : public QObject
{
    Q_OBJECT

private slots:
    void reading_data();
    void reading();
    void patternSense_data();
    void patternSense();
};

void TestPasteReading::reading_data()
{
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("expected");

    const QStringList person { "姓名：", "手机", "备注（选填）" };
    // Labels from the field names, normalised, glued, in brackets, after 所在 or 本人.
    QTest::newRow("colon") << person << "姓名：张伟\n手机：13912345678" << QStringList { "张伟", "13912345678", "" };
    QTest::newRow("glued") << person << "姓名张伟手机13912345678" << QStringList { "张伟", "13912345678", "" };
    QTest::newRow("brackets") << person << "【姓名】张伟 [手机]13912345678 「备注（选填）」已缴费"
                              << QStringList { "张伟", "13912345678", "已缴费" };
    QTest::newRow("equals") << person << "姓名=张伟 手机=13912345678" << QStringList { "张伟", "13912345678", "" };
    QTest::newRow("prefixed label") << person << "本人姓名 张伟 本人手机 139 1234 5678"
                                    << QStringList { "张伟", "13912345678", "" };
    QTest::newRow("label of a field named with spaces") << QStringList { "姓 名", "宿舍号 " } << "宿舍号：3-201 姓名 李娜"
                                                       << QStringList { "李娜", "3-201" };
    QTest::newRow("head word") << QStringList { "参会人数", "是否住宿" } << "人数：2人\n住宿：否（当天返回）"
                               << QStringList { "2人", "否(当天返回)" };
    QTest::newRow("label words are no values") << person << "姓名\n手机\n张伟" << QStringList { "张伟", "", "" };
    QTest::newRow("label of nothing asked") << person << "张伟 婚姻状况：已婚 13912345678"
                                            << QStringList { "张伟", "13912345678", "" };

    // Shapes cut out of glued text.
    const QStringList shaped { "姓名", "身份证", "邮箱", "出生日期", "邮编", "电话" };
    QTest::newRow("id and email glued") << shaped << "王芳110105199003071234wang.fang@163.com"
                                        << QStringList { "王芳", "110105199003071234", "wang.fang@163.com", "", "", "" };
    QTest::newRow("date and post code glued") << shaped << "王芳1990-03-07/100081"
                                              << QStringList { "王芳", "", "", "1990-03-07", "100081", "" };
    QTest::newRow("landline with extension") << shaped << "王芳,电话0571-88776655-123"
                                             << QStringList { "王芳", "", "", "", "", "0571-88776655-123" };
    QTest::newRow("mobile after +86 in groups") << shaped << "王芳 +86 139 1234 5678"
                                                << QStringList { "王芳", "", "", "", "", "13912345678" };
    QTest::newRow("full-width id") << shaped << "王芳 １１０１０５１９９００３０７１２３Ｘ"
                                   << QStringList { "王芳", "11010519900307123X", "", "", "", "" };

    // Free text runs to the next label or the end of its sentence; an address joins its parts.
    const QStringList parcel { "收件人", "手机", "收货地址", "留言" };
    QTest::newRow("remark with a comma") << parcel << "收件人：刘洋 留言：到了打电话，家里有狗 手机13912345678"
                                         << QStringList { "刘洋", "13912345678", "", "到了打电话,家里有狗" };
    QTest::newRow("address cut by spaces") << parcel << "收货地址： 浙江省 杭州市 西湖区 文三路100号 3栋502\n刘洋"
                                           << QStringList { "刘洋", "", "浙江省杭州市西湖区文三路100号3栋502", "" };
    QTest::newRow("address in two labels") << parcel << "所在地区：江苏省 南京市 鼓楼区\n详细地址：中山路8号"
                                           << QStringList { "", "", "江苏省南京市鼓楼区中山路8号", "" };

    // Same-kind fields: by label, then by order; someone else's number stays out.
    const QStringList phones { "手机", "联系方式" };
    QTest::newRow("by label") << phones << "联系方式：13800000001 手机：13900000002"
                              << QStringList { "13900000002", "13800000001" };
    QTest::newRow("landline to the wider field") << phones << "13900000002 (028)53189874"
                                                 << QStringList { "13900000002", "(028)53189874" };
    QTest::newRow("someone else's") << QStringList { "姓名", "手机" } << "紧急联系人：李强 13700000003\n张伟 13900000002"
                                    << QStringList { "张伟", "13900000002" };
    QTest::newRow("pieces joined by a slash") << QStringList { "姓名", "性别", "民族" } << "姓名/性别：端木翔/男 汉族"
                                              << QStringList { "端木翔", "男", "汉族" };

    // Chat around the values.
    QTest::newRow("greeting and lead-in") << person << "老师您好！我叫张伟，13912345678，谢谢老师[抱拳]"
                                          << QStringList { "张伟", "13912345678", "" };
    QTest::newRow("mention and quoted prompt") << person << "@班长 「请按 姓名 手机 格式回复一下」\n张伟 13912345678"
                                               << QStringList { "张伟", "13912345678", "" };
    QTest::newRow("dictionary word is no name") << QStringList { "姓名", "学号" } << "计算机 黄晓明"
                                                << QStringList { "黄晓明", "" };
    QTest::newRow("chat alone") << person << "好的👌" << QStringList { "", "", "" };
}

void TestPasteReading::reading()
{
    QFETCH(QStringList, names);
    QFETCH(QString, text);
    QFETCH(QStringList, expected);
    QCOMPARE(readPaste(text, fieldsOf(names)), RecordRow(expected));
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
