// The shape of each kind of value: whether a text could be one (looksLike), which kind it plainly is
// (plainKind) and how it is written as a value (canonicalValue). Shapes are looser than checks: a
// value in groups, after +86 or with a wrong check digit still has its kind's shape, so that the
// review can tell what a text is before it says what is wrong with it.
#include "review/value_shapes.h"

#include "review/value_checks.h"
#include "review/word_lists.h"

#include <QRegularExpression>

#include <algorithm>

namespace {

bool matchesWhole(const QRegularExpression &shape, const QString &text)
{
    return shape.match(text).hasMatch();
}

bool hasChinese(const QString &text)
{
    return std::any_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() >= 0x2E80; });
}

bool hasDigit(const QString &text)
{
    return std::any_of(text.cbegin(), text.cend(), [](QChar c) { return c.isDigit(); });
}

bool isDigits(const QString &text)
{
    return !text.isEmpty() && std::all_of(text.cbegin(), text.cend(), [](QChar c) {
        return c >= QLatin1Char('0') && c <= QLatin1Char('9');
    });
}

QString withoutSpaces(const QString &text)
{
    QString result = text;
    result.remove(QLatin1Char(' '));
    return result;
}

// An ID number whose region and birth date are real: whatever else is wrong, nothing else it is.
bool plainlyIdNumber(const QString &text)
{
    QDate birth;
    bool male = false;
    const QString id = withoutSpaces(text);
    if (!looksLikeIdNumber(id) || !idNumberFacts(id, &birth, &male))
        return false;
    const QString problem = valueProblem(FieldKind::IdNumber, id, QDate(9999, 12, 31));
    return problem.isEmpty() || problem == QStringLiteral("身份证校验位不符")
        || problem == QStringLiteral("身份证末位应为大写X") || problem == QStringLiteral("旧版15位身份证");
}

// 1900 to 2100: six or eight digits outside that are some other number (310012 a post code).
bool looksLikeDate(const QString &text)
{
    QDate date = parseDate(text);
    if (!date.isValid())
        date = parseYearMonth(text);
    return date.isValid() && date.year() >= 1900 && date.year() <= 2100;
}

// A date with separators or 年月: 2019-12-26, 2019/12/26, 2019.12.26, 2019年12月(26日).
bool plainlyDate(const QString &text)
{
    if (isDigits(text))
        return false;
    const QDate date = parseDate(text);
    if (date.isValid())
        return date.year() >= 1900;
    return text.contains(QChar(u'年')) && parseYearMonth(text).isValid();
}

bool looksLikeAddress(const QString &text)
{
    if (text.size() < 4 || text.size() > 100 || !hasChinese(text))
        return false;
    const AddressMarkers markers = addressMarkers(text);
    // 浙江大学城市学院 holds 市 and starts with a province, yet names a school: an ending of a school,
    // a company or a department tells so, unless street words and a door number say otherwise.
    if (kindByEnding(text) != FieldKind::Other && !(markers.street >= 1 && hasDigit(text)))
        return false;
    const bool place = placeNamePrefix(text) > 0;
    return (place && markers.region + markers.street >= 1) || markers.street >= 2
        || (markers.street >= 1 && markers.region >= 1);
}

// Down to a street or a door, and not only a province and a city: 籍贯 is written that way too.
bool plainlyAddress(const QString &text)
{
    if (!looksLikeAddress(text) || text.size() < 6)
        return false;
    const AddressMarkers markers = addressMarkers(text);
    return markers.street >= 1 && (placeNamePrefix(text) > 0 || markers.region >= 1 || markers.street >= 2);
}

bool looksLikeGrade(const QString &text)
{
    static const QRegularExpression shape(
        QStringLiteral("^((小学|初中?|高中?|大学?|研究生|研)[一二三四五六](年级)?|[一二三四五六七八九]年级|("
                       "19|20)?\\d{2}级)$"));
    return matchesWhole(shape, text);
}

bool looksLikeClass(const QString &text)
{
    // 计科1班, 高三(2)班, 软件2001, 大数据2001级: a name, a number, perhaps 班 or 级.
    static const QRegularExpression shape(
        QStringLiteral("^[^\\x00-\\xff]{1,15}[(（]?\\d{1,4}[)）]?(班|级|班级)?$"));
    if (text.size() < 2 || text.size() > 25)
        return false;
    return kindByEnding(text) == FieldKind::Class || matchesWhole(shape, text);
}

// Two to five Chinese characters that are nothing else people write: no school, grade, place,
// ethnic group, political status, remark or filler word.
bool looksLikeName(const QString &text)
{
    static const QRegularExpression shape(QStringLiteral("^[\\x{3400}-\\x{9FFF}]{2,5}$"));
    // 阿卜杜拉·艾则孜: a name of a minority people joins its parts with a middle dot.
    static const QRegularExpression joined(
        QStringLiteral("^[\\x{3400}-\\x{9FFF}]{1,8}([·•．][\\x{3400}-\\x{9FFF}]{1,8})+$"));
    if (matchesWhole(joined, text))
        return true;
    if (!matchesWhole(shape, text) || kindByEnding(text) != FieldKind::Other
        || kindOfEndingWord(text) != FieldKind::Other || looksLikeGrade(text) || isEthnicity(text)
        || isPoliticalStatus(text) || isRemarkPhrase(text) || isFillerWord(text) || isEducation(text)
        || labelKind(text) != FieldKind::Other)
        return false;
    // Four or five characters, or a place name: only with a common surname in front (欧阳娜娜, 黄山).
    return (text.size() < 4 && placeNamePrefix(text) < 2) || startsWithCommonSurname(text);
}

// A short phrase that is no value of another kind: not a name with a common surname, a school,
// a grade, a place or anything plainly of a kind.
bool looksLikeRemark(const QString &text, const QDate &today)
{
    if (isRemarkPhrase(text))
        return true;
    if (text.size() > 40 || !hasChinese(text) || isDigits(text) || labelKind(text) != FieldKind::Other
        || plainKind(text, today) != FieldKind::Other)
        return false;
    const bool name = text.size() <= 4 && startsWithCommonSurname(text) && looksLikeName(text);
    return !name && kindByEnding(text) == FieldKind::Other && kindOfEndingWord(text) == FieldKind::Other
        && !looksLikeGrade(text) && !looksLikeClass(text) && !looksLikeAddress(text) && !isEthnicity(text)
        && !isEducation(text) && placeNamePrefix(text) == 0;
}

// The text's ending suits a field of the kind. A college of a university (计算机学院) is a
// department, a school is where a teacher works.
bool endingFits(FieldKind kind, const QString &text)
{
    const FieldKind ending = kindByEnding(text);
    if (ending == kind)
        return true;
    if (kind == FieldKind::Department)
        return text.endsWith(QStringLiteral("学院")) && !text.contains(QStringLiteral("大学"))
            && placeNamePrefix(text) == 0;
    return kind == FieldKind::Company && ending == FieldKind::School;
}

// A number that is plainly something else (a mobile or ID number, a date) is no student number,
// QQ number or post code.
bool plainlyOtherNumber(const QString &text, const QDate &today)
{
    switch (plainKind(text, today)) {
    case FieldKind::Mobile:
    case FieldKind::Landline:
    case FieldKind::IdNumber:
    case FieldKind::Date:
    case FieldKind::Email:
        return true;
    default:
        return false;
    }
}

} // namespace

bool looksLike(FieldKind kind, const QString &original, const QDate &today)
{
    static const QRegularExpression qq(QStringLiteral("^[1-9]\\d{4,10}$"));
    static const QRegularExpression weChat(QStringLiteral("^[A-Za-z][-_A-Za-z\\d]{5,19}$"));
    static const QRegularExpression postCode(QStringLiteral("^[0-8]\\d{5}$"));
    static const QRegularExpression age(QStringLiteral("^(\\d{1,3})(周?岁)?$"));
    static const QRegularExpression code(QStringLiteral("^[A-Za-z\\d][-_A-Za-z\\d]{1,19}$"));
    const QString text = halfWidth(original).trimmed();
    if (text.isEmpty())
        return false;
    switch (kind) {
    case FieldKind::Name:
        return looksLikeName(text);
    case FieldKind::Gender: {
        static const QStringList genders = { QStringLiteral("男"),   QStringLiteral("女"),
                                             QStringLiteral("男性"), QStringLiteral("女性"),
                                             QStringLiteral("男生"), QStringLiteral("女生") };
        return genders.contains(text);
    }
    case FieldKind::Age: {
        const QRegularExpressionMatch years = age.match(text);
        return years.hasMatch() && years.captured(1).toInt() >= 1 && years.captured(1).toInt() <= 120;
    }
    case FieldKind::Class:
        return looksLikeClass(text);
    case FieldKind::Mobile:
        return !mobileDigits(text).isEmpty();
    case FieldKind::Landline:
        return isLandlineNumber(text, false);
    case FieldKind::Phone:
        return !mobileDigits(text).isEmpty() || isLandlineNumber(text, false);
    case FieldKind::Email:
        return looksLikeEmail(text);
    case FieldKind::StudentNumber:
    case FieldKind::EmployeeNumber:
        return matchesWhole(code, withoutSpaces(text))
            && std::count_if(text.cbegin(), text.cend(), [](QChar c) { return c.isDigit(); }) >= 2
            && !plainlyOtherNumber(text, today);
    case FieldKind::IdNumber:
        return looksLikeIdNumber(text);
    case FieldKind::Position:
    case FieldKind::Major:
    case FieldKind::Department:
        // 经理, 计算机, 办公室: the ending alone is a value.
        if (text.size() >= 2 && kindOfEndingWord(text) == kind)
            return true;
        Q_FALLTHROUGH();
    case FieldKind::School:
    case FieldKind::Company:
        return text.size() <= 30 && hasChinese(text) && plainKind(text, today) == FieldKind::Other
            && endingFits(kind, text);
    case FieldKind::Grade:
        return looksLikeGrade(text);
    case FieldKind::BirthDate:
    case FieldKind::Date:
        return looksLikeDate(text);
    case FieldKind::Address:
        return looksLikeAddress(text);
    case FieldKind::Remark:
        return looksLikeRemark(text, today);
    case FieldKind::Ethnicity:
        return isEthnicity(text);
    case FieldKind::Qq:
        return matchesWhole(qq, withoutSpaces(text)) && !plainlyOtherNumber(text, today);
    case FieldKind::WeChat:
        return matchesWhole(weChat, text) || !mobileDigits(text).isEmpty();
    case FieldKind::PoliticalStatus:
        return isPoliticalStatus(text);
    case FieldKind::NativePlace:
        return text.size() <= 20 && placeNamePrefix(text) > 0 && addressMarkers(text).street == 0
            && kindByEnding(text) == FieldKind::Other;
    case FieldKind::PostCode:
        return matchesWhole(postCode, text) && !plainlyOtherNumber(text, today);
    case FieldKind::Education:
        return isEducation(text);
    case FieldKind::Other:
        return false;
    }
    return false;
}

FieldKind plainKind(const QString &original, const QDate &today)
{
    Q_UNUSED(today)
    const QString text = halfWidth(original).trimmed();
    if (text.isEmpty())
        return FieldKind::Other;
    if (text.contains(QLatin1Char('@')))
        return looksLikeEmail(text) ? FieldKind::Email : FieldKind::Other;
    const QChar first = text.at(0);
    if (first.isDigit() || first == QLatin1Char('+') || first == QLatin1Char('(') || first == QChar(u'（')) {
        if (plainlyIdNumber(text))
            return FieldKind::IdNumber;
        if (!mobileDigits(text).isEmpty())
            return FieldKind::Mobile;
        if (isLandlineNumber(text, true))
            return FieldKind::Landline;
        if (plainlyDate(text))
            return FieldKind::Date;
        return FieldKind::Other;
    }
    if (text == QStringLiteral("男") || text == QStringLiteral("女"))
        return FieldKind::Gender;
    if (text.endsWith(QChar(u'族')) && isEthnicity(text))
        return FieldKind::Ethnicity;
    if (isPoliticalStatus(text))
        return FieldKind::PoliticalStatus;
    if (isEducation(text))
        return FieldKind::Education;
    if (plainlyAddress(text))
        return FieldKind::Address;
    return FieldKind::Other;
}

QString canonicalValue(FieldKind kind, const QString &original)
{
    const QString text = halfWidth(original).trimmed();
    switch (kind) {
    case FieldKind::Mobile: {
        const QString digits = mobileDigits(text);
        return digits.isEmpty() ? text : digits;
    }
    case FieldKind::Phone:
    case FieldKind::WeChat: {
        const QString digits = mobileDigits(text);
        return digits.isEmpty() ? withoutSpaces(text) : digits;
    }
    case FieldKind::IdNumber:
        return withoutSpaces(text).toUpper();
    case FieldKind::Gender:
        // 男性, 女生: the field holds 男 or 女.
        return looksLike(kind, text, QDate()) ? text.left(1) : text;
    case FieldKind::Age: {
        // 25岁, 25周岁: the number alone.
        static const QRegularExpression years(QStringLiteral("周?岁$"));
        const int end = text.indexOf(years);
        return end > 0 ? text.left(end) : text;
    }
    case FieldKind::Landline:
    case FieldKind::Qq:
    case FieldKind::PostCode:
    case FieldKind::StudentNumber:
    case FieldKind::EmployeeNumber:
        return withoutSpaces(text);
    default: {
        // Text: only its letters and digits; full-width brackets and spaces are how Chinese is written.
        QString value = original.trimmed();
        for (QChar &c : value) {
            if (isFullWidthAlnum(c))
                c = QChar(c.unicode() - 0xFEE0);
        }
        return value;
    }
    }
}
