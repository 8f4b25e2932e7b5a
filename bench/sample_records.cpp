// The generator's vocabulary. Values are made to look like what people paste: most fit one preset,
// some fit several (an age or a mobile number also holds a 0 or 1 for the gender pattern).
#include "bench/sample_records.h"

#include <iterator>

namespace {

struct ExtraField
{
    const char *name;
    const char *pattern;
    const char *samples; // '|'-separated
};

// Thirty-nine common fields beyond the eleven presets; the ones without a pattern only take labelled values.
const ExtraField extraFields[] = {
    { "邮编", "^\\d{6}$", "100871|310058|200433|430074" },
    { "QQ", "^[1-9]\\d{4,10}$", "10001|345678912|2850012345" },
    { "微信", "^[A-Za-z][-_A-Za-z\\d]{5,19}$", "wx_zhang88|lily-2020|Tom_Lee_01" },
    { "生日", "^\\d{4}-\\d{1,2}-\\d{1,2}$", "2001-05-12|1999-12-1|2003-7-30" },
    { "民族", "^[^\\x00-\\xff]{1,3}族$", "汉族|回族|维吾尔族|壮族" },
    { "籍贯", "^[^\\x00-\\xff]{2,6}(省|市)$", "浙江省|重庆市|黑龙江省" },
    { "政治面貌", "^(群众|团员|党员|共青团员|中共党员)$", "群众|共青团员|中共党员" },
    { "学历", "^(本科|硕士|博士|大专)$", "本科|硕士|博士" },
    { "血型", "^(A|B|AB|O)型?$", "A型|O|AB型" },
    { "身高", "^1\\d{2}(cm|厘米)$", "175cm|162厘米" },
    { "体重", "^\\d{2,3}(kg|公斤)$", "60kg|55公斤" },
    { "电话", "^0\\d{2,3}-\\d{7,8}$", "010-62751234|0571-88886666" },
    { "宿舍", "^\\d{1,2}号楼\\d{3}$", "3号楼402|12号楼115" },
    { "学院", "^[^\\x00-\\xff]{2,10}学院$", "信息学院|外国语学院" },
    { "英语", "^(CET-?[46]|四级|六级)$", "CET-4|六级" },
    { "成绩", "^\\d{1,3}(\\.\\d)?分$", "89.5分|100分" },
    { "排名", "^第\\d+名$", "第3名|第12名" },
    { "入学年份", "^20\\d{2}级$", "2021级|2019级" },
    { "毕业年份", "^20\\d{2}届$", "2025届|2023届" },
    { "银行卡", "^62\\d{14,17}$", "6222021234567890123|6217001234567890" },
    { "车牌", "^[^\\x00-\\xff][A-Z][A-Z\\d]{5}$", "京A12345|浙BD8866" },
    { "护照", "^[EG]\\d{8}$", "E12345678|G87654321" },
    { "职务", "^(班长|团支书|学习委员|体育委员)$", "班长|学习委员" },
    { "宿舍电话", "^\\d{8}$", "62751234|88886666" },
    { "导师", "", "王老师|李教授" },
    { "备注", "", "无|待定|已缴费" },
    { "爱好", "", "篮球|阅读|书法" },
    { "紧急联系人", "", "张父|李母" },
    { "紧急电话", "", "13900001111|13511112222" },
    { "家庭住址", "", "北京市海淀区|杭州市西湖区" },
    { "特长", "", "钢琴|编程" },
    { "宗教信仰", "", "无" },
    { "社团", "[社团会]$", "摄影社|学生会|登山协会" },
    { "校区", "校区$", "紫金港校区|本部校区" },
    { "考号", "^\\d{14}$", "21330102150123|20110108090012" },
    { "准考证", "^[A-Z]\\d{9}$", "K202100123|A201900456" },
    { "网址", "^https?://", "http://example.org|https://blog.example.cn" },
    { "星座", "座$", "白羊座|天秤座" },
    { "籍贯代码", "^[1-8]\\d{5}$", "330106|110108" },
};

const QStringList surnames = QString::fromUtf8("张|王|李|赵|刘|陈|杨|黄|周|吴|徐|孙|马|朱|胡|郭|何|高|林|罗|"
                                               "郑|梁|谢|宋|唐|许|韩|冯|邓|曹|欧阳|司马|上官|诸葛")
                                 .split(QLatin1Char('|'));
const QString givenChars =
    QString::fromUtf8("伟芳娜秀英敏静丽强磊军洋勇艳杰娟涛明超秀兰霞平刚桂英华玉萍红娥玲"
                      "芬燕晨阳子涵宇轩浩然梓萱思雨欣怡一诺俊熙");
const QStringList schools =
    QString::fromUtf8("北京大学|清华大学|复旦大学|浙江大学|南京师范大学|华中科技大学|武汉职业技术学院|"
                      "上海外国语大学|杭州第二中学学校|中国人民大学|北京航空航天大学|深圳职业技术学院")
        .split(QLatin1Char('|'));
const QStringList majors = QString::fromUtf8("计算机科学与技术|软件工程|汉语言文学|会计学|临床医学|机械工程|"
                                             "国际经济与贸易|数学与应用数学|电子信息工程|法学")
                               .split(QLatin1Char('|'));
const QStringList classPrefixes =
    QString::fromUtf8("计算机|软件工程|会计|临床医学|汉语言|机械|电子信息|法学").split(QLatin1Char('|'));
const QStringList grades = QString::fromUtf8("大一|大二|大三|大四|高一|高二|高三|初一|初二|初三|研一|研二|"
                                             "小学三年级|小学四年级|大学二年级")
                               .split(QLatin1Char('|'));
const QStringList emailDomains = QStringLiteral("qq.com|163.com|126.com|gmail.com|pku.edu.cn|zju.edu.cn|"
                                                "outlook.com|sina.com.cn")
                                     .split(QLatin1Char('|'));
const QStringList junkTokens = QString::fromUtf8("备注|无|N/A|暂无|联系方式|如下|QQ群|——|#|;|见附件|谢谢|"
                                                 "报名表|2021/09/01|(选填)|ok|同上|另|…")
                                   .split(QLatin1Char('|'));
// Runs of separators people actually type, and a few lone ones.
const QStringList separators =
    QString::fromUtf8(" |  |，|,|、|。|\n|\t|：|:|\r\n| ，|\n\n|\u3000|；|, |。\n").split(QLatin1Char('|'));

} // namespace

QList<FieldDef> presetFields()
{
    return {
        { QStringLiteral("姓名"), QStringLiteral("^[^\\x00-\\xff]{2,4}$") },
        { QStringLiteral("性别"), QStringLiteral("[01男女]") },
        { QStringLiteral("年龄"), QStringLiteral("^\\d{1,2}$") },
        { QStringLiteral("班级"), QStringLiteral("^[^\\x00-\\xff]{2,15}\\d{2,4}班?级?$") },
        { QStringLiteral("手机号"), QStringLiteral("^1\\d{10}$") },
        { QStringLiteral("邮箱"),
          QStringLiteral("^[A-Za-z\\d]+([-_.][A-Za-z\\d]+)*@([A-Za-z\\d]+[-.])+[A-Za-z\\d]{2,4}$") },
        { QStringLiteral("学号"), QStringLiteral("^20\\d{10,11}$") },
        { QStringLiteral("身份证"), QStringLiteral("^\\d{17}.$") },
        { QStringLiteral("专业"), QStringLiteral("^[^\\x00-\\xff]{2,15}$") },
        { QStringLiteral("学校"), QStringLiteral("^[^\\x00-\\xff]{2,10}(大学|学校|学院)$") },
        { QStringLiteral("年级"), QStringLiteral("(小学|初中?|高中?|大学?|研)[一二三四](年级)?") },
    };
}

QList<FieldDef> fiftyFields()
{
    QList<FieldDef> fields = presetFields();
    for (const ExtraField &extra : extraFields)
        fields.append({ QString::fromUtf8(extra.name), QString::fromUtf8(extra.pattern) });
    return fields;
}

SampleRecords::SampleRecords(quint32 seed, bool extraFields)
    : m_random(seed)
    , m_extraFields(extraFields)
    , m_fields(extraFields ? fiftyFields() : presetFields())
{ }

QString SampleRecords::digits(int count)
{
    QString text;
    for (int i = 0; i < count; ++i)
        text += QLatin1Char(char('0' + below(10)));
    return text;
}

QString SampleRecords::chineseName()
{
    QString name = pick(surnames);
    const int given = 1 + below(2);
    for (int i = 0; i < given; ++i)
        name += givenChars.at(below(givenChars.size()));
    return name;
}

QString SampleRecords::value()
{
    return valueOf(below(m_fields.size()));
}

QString SampleRecords::valueOf(int field)
{
    switch (field) {
    case 0:
        return chineseName();
    case 1:
        return below(2) ? QString::fromUtf8("男") : QString::fromUtf8("女");
    case 2:
        return QString::number(16 + below(45));
    case 3:
        return pick(classPrefixes) + QString::number(19 + below(6)) + QString::number(1 + below(4))
            + (below(2) ? QString::fromUtf8("班") : QString());
    case 4:
        return QLatin1Char('1') + QLatin1Char(char('3' + below(7))) + digits(9);
    case 5: {
        QString user = QString::fromLatin1("abcdefghijklmnopqrstuvwxyz").mid(below(20), 3 + below(5));
        if (below(3) == 0)
            user += QLatin1Char("._-"[below(3)]) + digits(2 + below(3));
        return user + QLatin1Char('@') + pick(emailDomains);
    }
    case 6:
        return QStringLiteral("20") + digits(10 + below(2));
    case 7: {
        const QString id = QString::number(110000 + below(700000)) + QString::number(1970 + below(40))
            + QString::number(1 + below(12)).rightJustified(2, QLatin1Char('0'))
            + QString::number(10 + below(19)) + digits(3);
        return id + (below(11) == 0 ? QStringLiteral("X") : digits(1));
    }
    case 8:
        return pick(majors);
    case 9:
        return pick(schools);
    case 10:
        return pick(grades);
    default: {
        const ExtraField &extra = extraFields[(field - 11) % int(std::size(extraFields))];
        const QStringList samples = QString::fromUtf8(extra.samples).split(QLatin1Char('|'));
        return pick(samples);
    }
    }
}

QString SampleRecords::junk()
{
    return pick(junkTokens);
}

QString SampleRecords::separatorRun()
{
    return pick(separators);
}

QString SampleRecords::record()
{
    QString text;
    if (below(4) == 0)
        text += separatorRun();
    const int tokens = 7 + below(7);
    for (int i = 0; i < tokens; ++i) {
        if (i > 0)
            text += separatorRun();
        const int kind = below(10);
        if (kind == 0) {
            text += junk();
        } else if (kind <= 2) {
            // "label：value", the label sometimes written as a value of another field
            text +=
                m_fields.at(below(m_fields.size())).name + QString::fromUtf8(below(2) ? "：" : ":") + value();
        } else {
            text += value();
        }
    }
    if (below(3) == 0)
        text += separatorRun();
    return text;
}

QString SampleRecords::bigRecord(int utf8Bytes)
{
    QString text;
    int bytes = 0;
    while (bytes < utf8Bytes) {
        const QString part = record() + separatorRun();
        bytes += part.toUtf8().size();
        text += part;
    }
    return text;
}
