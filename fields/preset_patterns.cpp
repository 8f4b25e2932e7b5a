// The preset table. Patterns are QRegExp syntax; [^\x00-\xff] stands for a Chinese character.
#include "fields/preset_patterns.h"

#include <QStringList>
#include <QVector>

namespace {

struct Preset
{
    QStringList names;
    QString pattern;
};

} // namespace

QString presetPattern(const QString &name)
{
    static const QVector<Preset> presets = {
        { { QStringLiteral("姓名") }, QStringLiteral(R"(^[^\x00-\xff]{2,4}$)") },
        { { QStringLiteral("性别") }, QStringLiteral(R"([01男女])") },
        { { QStringLiteral("年龄") }, QStringLiteral(R"(^\d{1,2}$)") },
        { { QStringLiteral("班级") }, QStringLiteral(R"(^[^\x00-\xff]{2,15}\d{2,4}班?级?$)") },
        { { QStringLiteral("手机"), QStringLiteral("手机号") }, QStringLiteral(R"(^1\d{10}$)") },
        { { QStringLiteral("邮箱") },
          QStringLiteral(R"(^[A-Za-z\d]+([-_.][A-Za-z\d]+)*@([A-Za-z\d]+[-.])+[A-Za-z\d]{2,4}$)") },
        { { QStringLiteral("学号") }, QStringLiteral(R"(^20\d{10,11}$)") },
        { { QStringLiteral("身份证") }, QStringLiteral(R"(^\d{17}.$)") },
        { { QStringLiteral("专业") }, QStringLiteral(R"(^[^\x00-\xff]{2,15}$)") },
        { { QStringLiteral("学校"), QStringLiteral("大学") },
          QStringLiteral(R"(^[^\x00-\xff]{2,10}(大学|学校|学院)$)") },
        // A character class: the grade digit is one of the four, as in 高三 or 大一.
        { { QStringLiteral("年级") }, QStringLiteral(R"((小学|初中?|高中?|大学?|研)[一二三四](年级)?)") },
    };
    for (const Preset &preset : presets) {
        if (preset.names.contains(name))
            return preset.pattern;
    }
    return QString();
}
