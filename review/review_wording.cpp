// The review's sentences. Kept together so that the window's words can be read, and changed, at once.
#include "review/review_wording.h"

#include "review/value_checks.h"

#include <algorithm>

namespace ReviewWording {

namespace {

QString quoted(const QString &text)
{
    return QStringLiteral("“") + text + QStringLiteral("”");
}

// The word for a kind of text value that a cell's shape may betray.
QString kindWord(FieldKind kind)
{
    switch (kind) {
    case FieldKind::School:
        return QStringLiteral("学校");
    case FieldKind::Major:
        return QStringLiteral("专业");
    case FieldKind::Class:
        return QStringLiteral("班级");
    case FieldKind::Department:
        return QStringLiteral("部门");
    case FieldKind::Grade:
        return QStringLiteral("年级");
    case FieldKind::Name:
    case FieldKind::Other:
        return QStringLiteral("姓名");
    default:
        return kindName(kind);
    }
}

} // namespace

QString valueFault(ValueFault fault)
{
    switch (fault) {
    case ValueFault::IdRegion:
        return QStringLiteral("身份证地区码无效");
    case ValueFault::IdBirthDate:
        return QStringLiteral("身份证出生日期无效");
    case ValueFault::IdOld15:
        return QStringLiteral("旧版15位身份证");
    case ValueFault::IdLength:
        return QStringLiteral("身份证应为18位");
    case ValueFault::IdDigits:
        return QStringLiteral("身份证前17位应为数字");
    case ValueFault::IdLast:
        return QStringLiteral("身份证末位应为数字或X");
    case ValueFault::IdBornLater:
        return QStringLiteral("身份证出生日期晚于今天");
    case ValueFault::IdBornBefore1900:
        return QStringLiteral("身份证出生日期早于1900年");
    case ValueFault::IdCheckDigit:
        return QStringLiteral("身份证校验位不符");
    case ValueFault::IdLowerX:
        return QStringLiteral("身份证末位应为大写X");
    case ValueFault::MobileCountryCode:
        return QStringLiteral("手机号前带有国家码86");
    case ValueFault::MobileSeparators:
        return QStringLiteral("手机号中间有分隔符");
    case ValueFault::MobileLength:
        return QStringLiteral("手机号应为11位数字");
    case ValueFault::MobilePrefix:
        return QStringLiteral("手机号应以13–19开头");
    case ValueFault::Email:
        return QStringLiteral("邮箱格式不符");
    case ValueFault::Date:
        return QStringLiteral("日期无效");
    case ValueFault::BornLater:
        return QStringLiteral("出生日期晚于今天");
    case ValueFault::AddressTooLong:
        return QStringLiteral("地址过长");
    case ValueFault::NoAddress:
        return QStringLiteral("不像地址（无省市、街道或门牌）");
    case ValueFault::FullWidth:
        return QStringLiteral("含全角字符");
    case ValueFault::FullWidthAlnum:
        return QStringLiteral("含全角字母或数字");
    case ValueFault::FullWidthDigits:
        return QStringLiteral("含全角数字");
    case ValueFault::Landline:
        return QStringLiteral("固定电话应为区号加7–8位号码");
    case ValueFault::Phone:
        return QStringLiteral("电话应为手机号或带区号的固定电话");
    case ValueFault::Gender:
        return QStringLiteral("性别应为男或女");
    case ValueFault::Age:
        return QStringLiteral("年龄应为1–120的整数");
    case ValueFault::StudentNumber:
        return QStringLiteral("学号应只含数字");
    case ValueFault::Ethnicity:
        return QStringLiteral("不是56个民族之一");
    case ValueFault::PoliticalStatus:
        return QStringLiteral("政治面貌应为中共党员、共青团员、群众等");
    case ValueFault::Qq:
        return QStringLiteral("QQ号应为5–11位数字");
    case ValueFault::WeChat:
        return QStringLiteral("微信号应为6–20位字母、数字、下划线或减号，以字母开头");
    case ValueFault::PostCode:
        return QStringLiteral("邮编应为6位数字");
    case ValueFault::Education:
        return QStringLiteral("学历应为本科、大专、硕士等");
    case ValueFault::Invisible:
        return QStringLiteral("含不可见字符");
    }
    return QString();
}

QString holdsLabel(const QString &label)
{
    return QStringLiteral("含有标签") + quoted(label);
}

QString fillerNotData()
{
    return QStringLiteral("像是附言而非数据");
}

QString holdsSeparator(QChar separator)
{
    return QStringLiteral("含有分隔符") + quoted(separator);
}

QString holdsFullWidth(const QString &value)
{
    const bool letters = std::any_of(value.begin(), value.end(), [](QChar c) {
        return isFullWidthAlnum(c) && !(c.unicode() >= 0xFF10 && c.unicode() <= 0xFF19);
    });
    return letters ? QStringLiteral("含全角字母或数字") : QStringLiteral("含全角数字");
}

QString isLabel(const QString &word)
{
    return QStringLiteral("是标签") + quoted(word) + QStringLiteral("而非数据");
}

QString holdsInvisible()
{
    return QStringLiteral("含有不可见字符");
}

QString holdsNumbering(const QString &numbering)
{
    return QStringLiteral("含有序号") + quoted(numbering);
}

QString offPattern(const QString &value)
{
    return quoted(value) + QStringLiteral("不符合本字段的格式");
}

QString looksLikeKind(FieldKind kind)
{
    return QStringLiteral("像是") + kindWord(kind);
}

QString uncommonSurname()
{
    return QStringLiteral("不像姓名（姓氏不常见）");
}

QString genderAgainstId(bool male)
{
    return QStringLiteral("性别与身份证不符（身份证为") + (male ? QStringLiteral("男") : QStringLiteral("女"))
        + QStringLiteral("）");
}

QString ageAgainstId(int age)
{
    return QStringLiteral("年龄与身份证不符（按身份证为%1岁）").arg(age);
}

QString birthDateAgainstId(const QDate &birth)
{
    return QStringLiteral("出生日期与身份证不符（身份证为%1）")
        .arg(birth.toString(QStringLiteral("yyyy-MM-dd")));
}

QString candidates(const QStringList &values)
{
    return QStringLiteral("候选：") + values.join(QStringLiteral("、"));
}

QString faultyCandidate(const QString &value, const QString &problem)
{
    return QStringLiteral("候选：") + value + QStringLiteral("（") + problem + QStringLiteral("）");
}

QString suggestion(const QString &value, const QString &reason)
{
    const QString shown = value.isEmpty() ? QStringLiteral("清空") : value;
    return QStringLiteral("建议：") + shown + QStringLiteral("（") + reason + QStringLiteral("）");
}

QString takenFrom(const QString &whole)
{
    return QStringLiteral("来自") + quoted(whole);
}

QString commonSurname()
{
    return QStringLiteral("常见姓氏");
}

QString onlyPassing()
{
    return QStringLiteral("唯一通过校验的候选");
}

QString shapeOf(FieldKind kind)
{
    return QStringLiteral("形似") + kindWord(kind);
}

QString moveTo(const QString &fieldName)
{
    return QStringLiteral("移至") + quoted(fieldName);
}

QString commonFiller()
{
    return QStringLiteral("常见附言");
}

QString afterLabel(const QString &label)
{
    return QStringLiteral("跟在标签") + quoted(label) + QStringLiteral("之后");
}

QString onlyPhraseLeft()
{
    return QStringLiteral("唯一余下的短语");
}

} // namespace ReviewWording
