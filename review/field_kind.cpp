// Field names to kinds; two names for one kind where the presets have two.
#include "review/field_kind.h"

#include <QHash>

FieldKind fieldKind(const QString &name)
{
    static const QHash<QString, FieldKind> kinds = {
        { QStringLiteral("姓名"), FieldKind::Name },
        { QStringLiteral("性别"), FieldKind::Gender },
        { QStringLiteral("年龄"), FieldKind::Age },
        { QStringLiteral("班级"), FieldKind::Class },
        { QStringLiteral("手机"), FieldKind::Mobile },
        { QStringLiteral("手机号"), FieldKind::Mobile },
        { QStringLiteral("邮箱"), FieldKind::Email },
        { QStringLiteral("学号"), FieldKind::StudentNumber },
        { QStringLiteral("身份证"), FieldKind::IdNumber },
        { QStringLiteral("专业"), FieldKind::Major },
        { QStringLiteral("学校"), FieldKind::School },
        { QStringLiteral("大学"), FieldKind::School },
        { QStringLiteral("年级"), FieldKind::Grade },
        { QStringLiteral("出生日期"), FieldKind::BirthDate },
        { QStringLiteral("生日"), FieldKind::BirthDate },
        { QStringLiteral("部门"), FieldKind::Department },
        { QStringLiteral("院系"), FieldKind::Department },
    };
    return kinds.value(name, FieldKind::Other);
}
