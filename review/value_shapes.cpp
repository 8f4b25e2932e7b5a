// The shape of each kind of value: whether a text could be one (looksLike), which kind it plainly is
// (plainKind) and how it is written as a value (canonicalValue). Shapes are looser than checks: a
// value in groups, after +86 or with a wrong check digit still has its kind's shape, so that the
// review can tell what a text is before it says what is wrong with it.
#include "review/value_shapes.h"

#include "review/id_numbers.h"
#include "review/value_checks.h"
#include "review/word_lists.h"
#include "review/word_shapes.h"

#include <QRegularExpression>

#include <algorithm>

namespace {

// The text half-width and trimmed; most texts are so already and are not copied.
QString plainText(const QString &text)
{
    const bool clean = std::none_of(text.cbegin(), text.cend(), [](QChar c) { return halfWidth(c) != c; });
    if (clean && (text.isEmpty() || (!text.front().isSpace() && !text.back().isSpace())))
        return text;
    return halfWidth(text).trimmed();
}

bool matchesWhole(const QRegularExpression &shape, const QString &text)
{
    return shape.match(text).hasMatch();
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
    return birth.year() >= 1900 && idNumberRegionKnown(id);
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
    if (allDigits(text))
        return false;
    const QDate date = parseDate(text);
    if (date.isValid())
        return date.year() >= 1900;
    return text.contains(QChar(u'年')) && parseYearMonth(text).isValid();
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
    static const QRegularExpression age(QStringLiteral("^(\\d{1,3})(周?岁)?$"));
    static const QRegularExpression code(QStringLiteral("^[A-Za-z\\d][-_A-Za-z\\d]{1,19}$"));
    const QString text = plainText(original);
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
        return addressShape(text).looks;
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
        return isPostCode(text) && !plainlyOtherNumber(text, today);
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
    const QString text = plainText(original);
    if (text.isEmpty())
        return FieldKind::Other;
    if (text.contains(QLatin1Char('@')))
        return looksLikeEmail(text) ? FieldKind::Email : FieldKind::Other;
    const QChar first = text.at(0);
    if (first.isDigit() || first == QLatin1Char('+') || first == QLatin1Char('(') || first == QChar(u'（')) {
        // Six characters at least: the shortest is a date such as 2019.3.1 or 2019年3月. Numbers
        // have ten digits at least (a landline with its area code); fewer can only make a date.
        if (text.size() < 6)
            return FieldKind::Other;
        const auto digits = std::count_if(text.cbegin(), text.cend(), [](QChar c) { return c.isDigit(); });
        if (digits < 10)
            return plainlyDate(text) ? FieldKind::Date : FieldKind::Other;
        // The digits tell which shapes could fit: 15 or more an ID number, 11 a mobile number
        // (13 or 15 after 86 or 0086); a landline any count from ten on.
        if (digits >= 15 && plainlyIdNumber(text))
            return FieldKind::IdNumber;
        if ((digits == 11 || digits == 13 || digits == 15) && !mobileDigits(text).isEmpty())
            return FieldKind::Mobile;
        return isLandlineNumber(text, true) ? FieldKind::Landline : FieldKind::Other;
    }
    if (text == QStringLiteral("男") || text == QStringLiteral("女"))
        return FieldKind::Gender;
    if (text.endsWith(QChar(u'族')) && isEthnicity(text))
        return FieldKind::Ethnicity;
    if (isPoliticalStatus(text))
        return FieldKind::PoliticalStatus;
    if (isEducation(text))
        return FieldKind::Education;
    if (addressShape(text).plain)
        return FieldKind::Address;
    return FieldKind::Other;
}

QString canonicalValue(FieldKind kind, const QString &original)
{
    const QString text = plainText(original);
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
    default:
        // Text: only its letters and digits; full-width brackets and spaces are how Chinese is written.
        return halfWidthAlnum(original.trimmed());
    }
}
