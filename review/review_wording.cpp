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
