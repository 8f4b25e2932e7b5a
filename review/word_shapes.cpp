// The shapes of values written in words: names, remarks, classes, grades and addresses, and the
// endings that tell a school, a major or an employer. Each keeps apart what people write for other
// fields: a name is no school, a remark no name.
#include "review/word_shapes.h"

#include "review/word_lists.h"

#include <QRegularExpression>

#include <algorithm>

namespace {

bool hasDigit(const QString &text)
{
    return std::any_of(text.cbegin(), text.cend(), [](QChar c) { return c.isDigit(); });
}

} // namespace

bool hasChinese(const QString &text)
{
    return std::any_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() >= 0x2E80; });
}

AddressShape addressShape(const QString &text)
{
    AddressShape shape;
    if (text.size() < 4 || text.size() > 100 || !hasChinese(text))
        return shape;
    const AddressMarkers markers = addressMarkers(text);
    if (markers.region + markers.street == 0)
        return shape;
    // 浙江大学城市学院 holds 市 and starts with a province, yet names a school: an ending of a school,
    // a company or a department tells so, unless street words and a door number say otherwise.
    if (kindByEnding(text) != FieldKind::Other && !(markers.street >= 1 && hasDigit(text)))
        return shape;
    const bool place = placeNamePrefix(text) > 0;
    shape.looks = (place && markers.region + markers.street >= 1) || markers.street >= 2
        || (markers.street >= 1 && markers.region >= 1);
    shape.plain = shape.looks && text.size() >= 6 && markers.street >= 1
        && (place || markers.region >= 1 || markers.street >= 2);
    return shape;
}

bool looksLikeGrade(const QString &text)
{
    static const QRegularExpression shape(
        QStringLiteral("^((小学|初中?|高中?|大学?|研究生|研)[一二三四五六](年级)?|[一二三四五六七八九]年级|("
                       "19|20)?\\d{2}级)$"));
    // Two to six characters ending in a number word or 级: most texts end otherwise and need no match.
    static const QString endings = QStringLiteral("一二三四五六级");
    return text.size() >= 2 && text.size() <= 6 && endings.contains(text.back())
        && shape.match(text).hasMatch();
}

bool looksLikeClass(const QString &text)
{
    // 计科1班, 高三(2)班, 软件2001, 大数据2001级: a name, a number, perhaps 班 or 级.
    static const QRegularExpression shape(
        QStringLiteral("^[^\\x00-\\xff]{1,15}[(（]?\\d{1,4}[)）]?(班|级|班级)?$"));
    if (text.size() < 2 || text.size() > 25)
        return false;
    return kindByEnding(text) == FieldKind::Class || shape.match(text).hasMatch();
}

// Two to five Chinese characters that are nothing else people write: no school, grade, place,
// ethnic group, political status, remark or filler word.
bool looksLikeName(const QString &text)
{
    static const QRegularExpression shape(QStringLiteral("^[\\x{3400}-\\x{9FFF}]{2,5}$"));
    // 阿卜杜拉·艾则孜: a name of a minority people joins its parts with a middle dot.
    static const QRegularExpression joined(
        QStringLiteral("^[\\x{3400}-\\x{9FFF}]{1,8}([·•．][\\x{3400}-\\x{9FFF}]{1,8})+$"));
    if (joined.match(text).hasMatch())
        return true;
    if (!shape.match(text).hasMatch() || kindByEnding(text) != FieldKind::Other
        || kindOfEndingWord(text) != FieldKind::Other || looksLikeGrade(text) || isEthnicity(text)
        || isPoliticalStatus(text) || isRemarkPhrase(text) || isFillerWord(text) || isEducation(text)
        || labelKind(text) != FieldKind::Other)
        return false;
    // Four or five characters, or a place name: only with a common surname in front (欧阳娜娜, 黄山).
    return (text.size() < 4 && placeNamePrefix(text) < 2) || startsWithCommonSurname(text);
}

bool isCollegeName(const QString &text)
{
    return text.endsWith(QStringLiteral("学院")) && !text.contains(QStringLiteral("大学"))
        && placeNamePrefix(text) == 0;
}
