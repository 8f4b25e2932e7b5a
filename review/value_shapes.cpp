// The shape of each kind of value. Shapes are looser than checks: a value in groups, after +86 or
// with a wrong check digit still has its kind's shape, so that the review can tell what a text is
// before it says what is wrong with it.
#include "review/value_shapes.h"

#include "fields/character_classes.h"
#include "review/id_numbers.h"
#include "review/number_shapes.h"
#include "review/value_checks.h"
#include "review/word_lists.h"
#include "review/word_shapes.h"

#include <QRegularExpression>

#include <algorithm>

namespace {

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
bool plainlyOther(const QString &text, const QDate &today)
{
    return plainKind(text, today) != FieldKind::Other;
}

} // namespace

QString plainText(const QString &text)
{
    const bool clean = std::none_of(text.cbegin(), text.cend(), [](QChar c) { return halfWidth(c) != c; });
    if (clean && (text.isEmpty() || (!text.front().isSpace() && !text.back().isSpace())))
        return text;
    return halfWidth(text).trimmed();
}

QString withoutSpaces(const QString &text)
{
    QString result = text;
    result.remove(QLatin1Char(' '));
    return result;
}

bool looksLikeAge(const QString &text)
{
    static const QRegularExpression age(QStringLiteral("^(\\d{1,3})(周?岁)?$"));
    const QRegularExpressionMatch years = age.match(text);
    return years.hasMatch() && years.captured(1).toInt() >= 1 && years.captured(1).toInt() <= 120;
}

bool looksLikeCode(const QString &text, const QDate &today)
{
    static const QRegularExpression code(QStringLiteral("^[A-Za-z\\d][-_A-Za-z\\d]{1,19}$"));
    return code.match(withoutSpaces(text)).hasMatch()
        && std::count_if(text.cbegin(), text.cend(), [](QChar c) { return c.isDigit(); }) >= 2
        && !plainlyOther(text, today);
}

bool looksLikeQq(const QString &text, const QDate &today)
{
    return isQqNumber(withoutSpaces(text)) && !plainlyOther(text, today);
}

bool looksLikePostCode(const QString &text, const QDate &today)
{
    return isPostCode(text) && !plainlyOther(text, today);
}

// 1900 to 2100: six or eight digits outside that are some other number (310012 a post code).
bool looksLikeDate(const QString &text)
{
    QDate date = parseDate(text);
    if (!date.isValid())
        date = parseYearMonth(text);
    return date.isValid() && date.year() >= 1900 && date.year() <= 2100;
}

bool looksLikeNativePlace(const QString &text)
{
    return text.size() <= 20 && placeNamePrefix(text) > 0 && addressMarkers(text).street == 0
        && kindByEnding(text) == FieldKind::Other;
}

bool looksLikeNamedThing(const QString &text, const QDate &today)
{
    return text.size() <= 30 && hasChinese(text) && plainKind(text, today) == FieldKind::Other;
}

// A short phrase that is no value of another kind: not a name with a common surname, a school,
// a grade, a place or anything plainly of a kind.
bool looksLikeRemark(const QString &text, const QDate &today)
{
    if (isRemarkPhrase(text))
        return true;
    // A remark says what was done or is needed (已缴费, 需住宿): a word of that is asked for, so that
    // a hobby or a major nobody listed is not taken for one.
    if (text.size() > 40 || !holdsRemarkWord(text) || labelKind(text) != FieldKind::Other
        || isFillerWord(text) || plainKind(text, today) != FieldKind::Other)
        return false;
    const bool name = text.size() <= 4 && startsWithCommonSurname(text) && looksLikeName(text);
    return !name && kindByEnding(text) == FieldKind::Other && kindOfEndingWord(text) == FieldKind::Other
        && !looksLikeGrade(text) && !looksLikeClass(text) && !addressShape(text).looks && !isEthnicity(text)
        && !isEducation(text) && placeNamePrefix(text) == 0;
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

QString canonicalMobile(const QString &text)
{
    const QString digits = mobileDigits(text);
    return digits.isEmpty() ? text : digits;
}

QString canonicalPhone(const QString &text)
{
    const QString digits = mobileDigits(text);
    return digits.isEmpty() ? withoutSpaces(text) : digits;
}

QString canonicalIdNumber(const QString &text)
{
    return withoutSpaces(text).toUpper();
}

bool looksLikeGender(const QString &text)
{
    static const QStringList genders = { QStringLiteral("男"),   QStringLiteral("女"),
                                         QStringLiteral("男性"), QStringLiteral("女性"),
                                         QStringLiteral("男生"), QStringLiteral("女生") };
    return genders.contains(text);
}

QString canonicalGender(const QString &text)
{
    // 男性, 女生: the field holds 男 or 女.
    return looksLikeGender(text) ? text.left(1) : text;
}

QString canonicalAge(const QString &text)
{
    // 25岁, 25周岁: the number alone.
    static const QRegularExpression years(QStringLiteral("周?岁$"));
    const int end = text.indexOf(years);
    return end > 0 ? text.left(end) : text;
}
