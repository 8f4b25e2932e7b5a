// Field names to kinds; a stand-in for the table of known fields.
#include "review/field_kind.h"

#include "review/value_checks.h"

#include <QHash>
#include <QRegExp>

namespace {

QString normalized(const QString &name)
{
    QString out;
    for (const QChar c : halfWidth(name)) {
        if (c.isLetterOrNumber())
            out += c.toLower();
    }
    return out;
}

const QHash<QString, FieldKind> &names()
{
    static const QHash<QString, FieldKind> kinds = {
        { QStringLiteral("姓名"), FieldKind::Name },
        { QStringLiteral("名字"), FieldKind::Name },
        { QStringLiteral("性别"), FieldKind::Gender },
        { QStringLiteral("年龄"), FieldKind::Age },
        { QStringLiteral("班级"), FieldKind::Class },
        { QStringLiteral("手机"), FieldKind::Mobile },
        { QStringLiteral("手机号"), FieldKind::Mobile },
        { QStringLiteral("手机号码"), FieldKind::Mobile },
        { QStringLiteral("联系电话"), FieldKind::Phone },
        { QStringLiteral("电话"), FieldKind::Phone },
        { QStringLiteral("座机"), FieldKind::Landline },
        { QStringLiteral("固定电话"), FieldKind::Landline },
        { QStringLiteral("邮箱"), FieldKind::Email },
        { QStringLiteral("email"), FieldKind::Email },
        { QStringLiteral("电子邮箱"), FieldKind::Email },
        { QStringLiteral("学号"), FieldKind::StudentNumber },
        { QStringLiteral("身份证"), FieldKind::IdNumber },
        { QStringLiteral("身份证号"), FieldKind::IdNumber },
        { QStringLiteral("身份证号码"), FieldKind::IdNumber },
        { QStringLiteral("专业"), FieldKind::Major },
        { QStringLiteral("学校"), FieldKind::School },
        { QStringLiteral("大学"), FieldKind::School },
        { QStringLiteral("毕业院校"), FieldKind::School },
        { QStringLiteral("年级"), FieldKind::Grade },
        { QStringLiteral("出生日期"), FieldKind::BirthDate },
        { QStringLiteral("生日"), FieldKind::BirthDate },
        { QStringLiteral("入职日期"), FieldKind::Date },
        { QStringLiteral("报到日期"), FieldKind::Date },
        { QStringLiteral("地址"), FieldKind::Address },
        { QStringLiteral("家庭住址"), FieldKind::Address },
        { QStringLiteral("住址"), FieldKind::Address },
        { QStringLiteral("备注"), FieldKind::Remark },
        { QStringLiteral("部门"), FieldKind::Department },
        { QStringLiteral("院系"), FieldKind::Department },
        { QStringLiteral("qq"), FieldKind::Qq },
        { QStringLiteral("民族"), FieldKind::Ethnicity },
    };
    return kinds;
}

} // namespace

FieldKind fieldKind(const QString &name)
{
    return names().value(normalized(name), FieldKind::Other);
}

FieldKind labelKind(const QString &word)
{
    return word == QStringLiteral("大学") ? FieldKind::Other : fieldKind(word);
}

int labelPrefix(const QString &token, FieldKind *kind)
{
    for (int n = token.size(); n > 1; --n) {
        const QString head = token.left(n);
        const FieldKind k = labelKind(head);
        if (k != FieldKind::Other) {
            int end = n;
            while (end < token.size() && QStringLiteral("：:】]").contains(token.at(end)))
                ++end;
            if (kind)
                *kind = k;
            return end;
        }
    }
    return 0;
}

QString kindName(FieldKind kind)
{
    switch (kind) {
    case FieldKind::Mobile:
        return QStringLiteral("手机号");
    case FieldKind::IdNumber:
        return QStringLiteral("身份证号");
    case FieldKind::Email:
        return QStringLiteral("邮箱");
    case FieldKind::Landline:
        return QStringLiteral("固定电话");
    case FieldKind::Address:
        return QStringLiteral("地址");
    case FieldKind::Date:
    case FieldKind::BirthDate:
        return QStringLiteral("日期");
    default:
        return QStringLiteral("其他");
    }
}

bool kindCovers(FieldKind field, FieldKind value)
{
    return field == value
        || (field == FieldKind::Phone && (value == FieldKind::Mobile || value == FieldKind::Landline))
        || (field == FieldKind::Date && value == FieldKind::BirthDate)
        || (field == FieldKind::BirthDate && value == FieldKind::Date);
}

bool looksLike(FieldKind kind, const QString &text, const QDate &today)
{
    switch (kind) {
    case FieldKind::Mobile:
        return QRegExp(QStringLiteral("1\\d{10}")).exactMatch(text);
    case FieldKind::IdNumber:
        return QRegExp(QStringLiteral("\\d{17}[\\dXx]")).exactMatch(text);
    case FieldKind::Email:
    case FieldKind::Gender:
    case FieldKind::Age:
        return valueProblem(kind, text, today).isEmpty();
    case FieldKind::BirthDate:
    case FieldKind::Date:
        return parseDate(text).isValid();
    case FieldKind::Landline:
        return QRegExp(QStringLiteral("0\\d{2,3}-?\\d{7,8}((-|转)\\d+)?")).exactMatch(text);
    case FieldKind::Address:
        return text.size() > 5 && text.contains(QRegExp(QStringLiteral("[省市区县镇乡路街巷号]")));
    default:
        return false;
    }
}

FieldKind plainKind(const QString &text, const QDate &today)
{
    for (const FieldKind kind : { FieldKind::Mobile, FieldKind::Email, FieldKind::IdNumber,
                                  FieldKind::Landline, FieldKind::Date, FieldKind::Address }) {
        if (looksLike(kind, text, today))
            return kind;
    }
    return FieldKind::Other;
}
