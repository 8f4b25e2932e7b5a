// The review's sentences. Kept together so that the window's words can be read, and changed, at once.
#include "review/review_wording.h"

namespace ReviewWording {

namespace {

QString quoted(const QString &text)
{
    return QStringLiteral("“") + text + QStringLiteral("”");
}

} // namespace

QString fault(const Fault &fault)
{
    switch (fault.type) {
    case FaultType::None:
    case FaultType::Count:
        break;
    case FaultType::IdRegion:
        return QStringLiteral("身份证地区码无效");
    case FaultType::IdBirthDate:
        return QStringLiteral("身份证出生日期无效");
    case FaultType::IdOld15:
        return QStringLiteral("旧版15位身份证");
    case FaultType::IdLength:
        return QStringLiteral("身份证应为18位");
    case FaultType::IdDigits:
        return QStringLiteral("身份证前17位应为数字");
    case FaultType::IdLast:
        return QStringLiteral("身份证末位应为数字或X");
    case FaultType::IdBornLater:
        return QStringLiteral("身份证出生日期晚于今天");
    case FaultType::IdBornBefore1900:
        return QStringLiteral("身份证出生日期早于1900年");
    case FaultType::IdCheckDigit:
        return QStringLiteral("身份证校验位不符");
    case FaultType::IdLowerX:
        return QStringLiteral("身份证末位应为大写X");
    case FaultType::MobileCountryCode:
        return QStringLiteral("手机号前带有国家码86");
    case FaultType::MobileSeparators:
        return QStringLiteral("手机号中间有分隔符");
    case FaultType::MobileLength:
        return QStringLiteral("手机号应为11位数字");
    case FaultType::MobilePrefix:
        return QStringLiteral("手机号应以13–19开头");
    case FaultType::Email:
        return QStringLiteral("邮箱格式不符");
    case FaultType::Date:
        return QStringLiteral("日期无效");
    case FaultType::BornLater:
        return QStringLiteral("出生日期晚于今天");
    case FaultType::AddressTooLong:
        return QStringLiteral("地址过长");
    case FaultType::NoAddress:
        return QStringLiteral("不像地址（无省市、街道或门牌）");
    case FaultType::FullWidth:
        return QStringLiteral("含全角字符");
    case FaultType::FullWidthAlnum:
        return QStringLiteral("含全角字母或数字");
    case FaultType::FullWidthDigits:
        return QStringLiteral("含全角数字");
    case FaultType::Landline:
        return QStringLiteral("固定电话应为区号加7–8位号码");
    case FaultType::Phone:
        return QStringLiteral("电话应为手机号或带区号的固定电话");
    case FaultType::Gender:
        return QStringLiteral("性别应为男或女");
    case FaultType::Age:
        return QStringLiteral("年龄应为1–120的整数");
    case FaultType::StudentNumber:
        return QStringLiteral("学号应只含数字");
    case FaultType::Ethnicity:
        return QStringLiteral("不是56个民族之一");
    case FaultType::PoliticalStatus:
        return QStringLiteral("政治面貌应为中共党员、共青团员、群众等");
    case FaultType::Qq:
        return QStringLiteral("QQ号应为5–11位数字");
    case FaultType::WeChat:
        return QStringLiteral("微信号应为6–20位字母、数字、下划线或减号，以字母开头");
    case FaultType::PostCode:
        return QStringLiteral("邮编应为6位数字");
    case FaultType::Education:
        return QStringLiteral("学历应为本科、大专、硕士等");
    case FaultType::Invisible:
        return QStringLiteral("含有不可见字符");
    case FaultType::Filler:
        return QStringLiteral("像是附言而非数据");
    case FaultType::HoldsLabel:
        return QStringLiteral("含有标签") + quoted(fault.text);
    case FaultType::IsLabel:
        return QStringLiteral("是标签") + quoted(fault.text) + QStringLiteral("而非数据");
    case FaultType::HoldsNumbering:
        return QStringLiteral("含有序号") + quoted(fault.text);
    case FaultType::HoldsSeparator:
        return QStringLiteral("含有分隔符") + quoted(fault.text);
    case FaultType::OffPattern:
        return quoted(fault.text) + QStringLiteral("不符合本字段的格式");
    case FaultType::LooksLikeKind:
        return QStringLiteral("像是") + kindName(fault.kind);
    case FaultType::UncommonSurname:
        return QStringLiteral("不像姓名（姓氏不常见）");
    case FaultType::GenderAgainstId:
        return QStringLiteral("性别与身份证不符（身份证为")
            + (fault.number ? QStringLiteral("男") : QStringLiteral("女")) + QStringLiteral("）");
    case FaultType::AgeAgainstId:
        return QStringLiteral("年龄与身份证不符（按身份证为%1岁）").arg(fault.number);
    case FaultType::BirthDateAgainstId:
        return QStringLiteral("出生日期与身份证不符（身份证为%1）")
            .arg(fault.date.toString(QStringLiteral("yyyy-MM-dd")));
    }
    return QString();
}

QString reason(const Reason &reason)
{
    switch (reason.type) {
    case ReasonType::TakenFrom:
        return QStringLiteral("来自") + quoted(reason.text);
    case ReasonType::CommonSurname:
        return QStringLiteral("常见姓氏");
    case ReasonType::OnlyPassing:
        return QStringLiteral("唯一通过校验的候选");
    case ReasonType::ShapeOf:
        return QStringLiteral("形似") + kindName(reason.kind);
    case ReasonType::MoveTo:
        return QStringLiteral("移至") + quoted(reason.text);
    case ReasonType::CommonFiller:
        return QStringLiteral("常见附言");
    case ReasonType::AfterLabel:
        return QStringLiteral("跟在标签") + quoted(reason.text) + QStringLiteral("之后");
    case ReasonType::OnlyPhraseLeft:
        return QStringLiteral("唯一余下的短语");
    case ReasonType::IsLabel:
        return fault(Fault(FaultType::IsLabel, reason.text));
    case ReasonType::LooksLikeKind:
        return fault(Fault::looksLike(reason.kind));
    case ReasonType::ReadFromPaste:
        return QStringLiteral("按全文的标签和内容读出");
    case ReasonType::Count:
        break;
    }
    return QString();
}

QString candidates(const QStringList &values)
{
    return QStringLiteral("候选：") + values.join(QStringLiteral("、"));
}

QString faultyCandidate(const QString &value, const Fault &problem)
{
    return QStringLiteral("候选：") + value + QStringLiteral("（") + fault(problem) + QStringLiteral("）");
}

QString suggestion(const QString &value, const Reason &why)
{
    const QString shown = value.isEmpty() ? QStringLiteral("清空") : value;
    return QStringLiteral("建议：") + shown + QStringLiteral("（") + reason(why) + QStringLiteral("）");
}

} // namespace ReviewWording
