// The value checks of every kind but the ID number's, the dates they read, and the full-width and
// invisible characters a value must not hold. Their sentences are in review_wording.cpp.
#include "review/value_checks.h"

#include "review/number_shapes.h"
#include "review/review_wording.h"
#include "review/word_lists.h"

#include <QRegularExpression>

#include <algorithm>

namespace {

QString mobileProblem(const QString &number)
{
    const QString digits = allDigits(number) ? number : mobileDigits(number);
    if (!digits.isEmpty() && digits != number) {
        const bool country = !number.startsWith(digits.left(3));
        return country ? ReviewWording::valueFault(ValueFault::MobileCountryCode)
                       : ReviewWording::valueFault(ValueFault::MobileSeparators);
    }
    if (number.size() != 11 || !allDigits(number))
        return ReviewWording::valueFault(ValueFault::MobileLength);
    if (number.at(0) != QLatin1Char('1') || number.at(1) < QLatin1Char('3'))
        return ReviewWording::valueFault(ValueFault::MobilePrefix);
    return QString();
}

QString emailProblem(const QString &address)
{
    const int at = address.indexOf(QLatin1Char('@'));
    const QString domain = address.mid(at + 1);
    const int dot = domain.indexOf(QLatin1Char('.'));
    if (at <= 0 || address.count(QLatin1Char('@')) != 1 || dot <= 0 || domain.endsWith(QLatin1Char('.')))
        return ReviewWording::valueFault(ValueFault::Email);
    return QString();
}

QString dateProblem(FieldKind kind, const QString &value, const QDate &today)
{
    QDate date = parseDate(value);
    if (!date.isValid())
        date = parseYearMonth(value);
    if (!date.isValid() || date.year() < 1900)
        return ReviewWording::valueFault(ValueFault::Date);
    if (kind == FieldKind::BirthDate && date > today)
        return ReviewWording::valueFault(ValueFault::BornLater);
    return QString();
}

QString addressProblem(const QString &address)
{
    if (address.size() > 100)
        return ReviewWording::valueFault(ValueFault::AddressTooLong);
    const AddressMarkers markers = addressMarkers(address);
    if (placeNamePrefix(address) == 0 && markers.region == 0 && markers.street == 0)
        return ReviewWording::valueFault(ValueFault::NoAddress);
    return QString();
}

bool matchesWhole(const QRegularExpression &shape, const QString &text)
{
    return shape.match(text).hasMatch();
}

// Byte-order marks, zero-width spaces and joiners, no-break and other odd spaces: a cell that
// holds one looks right and is not.
bool hasInvisibleCharacter(const QString &text)
{
    return std::any_of(text.cbegin(), text.cend(), [](QChar c) {
        const ushort u = c.unicode();
        return c.category() == QChar::Other_Format || u == 0x00A0 || (u >= 0x2000 && u <= 0x200A)
            || u == 0x202F || u == 0x205F;
    });
}

// What a value holds in full-width forms: 含全角数字 when only digits are.
QString fullWidthNote(const QString &text)
{
    bool letters = false;
    bool others = false;
    for (const QChar c : text) {
        const ushort u = c.unicode();
        if (u < 0xFF01 || u > 0xFF5E || (u >= 0xFF10 && u <= 0xFF19))
            continue;
        if (isFullWidthAlnum(c))
            letters = true;
        else
            others = true;
    }
    if (others)
        return ReviewWording::valueFault(ValueFault::FullWidth);
    return letters ? ReviewWording::valueFault(ValueFault::FullWidthAlnum)
                   : ReviewWording::valueFault(ValueFault::FullWidthDigits);
}

QString kindProblem(FieldKind kind, const QString &value, const QDate &today)
{
    static const QRegularExpression qq(QStringLiteral("^[1-9]\\d{4,10}$"));
    static const QRegularExpression weChat(QStringLiteral("^[A-Za-z][-_A-Za-z\\d]{5,19}$"));
    static const QRegularExpression postCode(QStringLiteral("^\\d{6}$"));
    switch (kind) {
    case FieldKind::IdNumber:
        return idNumberProblem(value, today);
    case FieldKind::Mobile:
        return mobileProblem(value);
    case FieldKind::Landline:
        return isLandlineNumber(value, false) ? QString() : ReviewWording::valueFault(ValueFault::Landline);
    case FieldKind::Phone:
        if (isLandlineNumber(value, false))
            return QString();
        if (value.startsWith(QLatin1Char('1')) || !mobileDigits(value).isEmpty())
            return mobileProblem(value);
        return ReviewWording::valueFault(ValueFault::Phone);
    case FieldKind::Email:
        return emailProblem(value);
    case FieldKind::Gender:
        if (value != QStringLiteral("男") && value != QStringLiteral("女"))
            return ReviewWording::valueFault(ValueFault::Gender);
        return QString();
    case FieldKind::Age: {
        // Three digits at most: a longer number is out of range, and toInt would go through the locale.
        if (!allDigits(value) || value.startsWith(QLatin1Char('0')) || value.size() > 3
            || digitsValue(value, 0, value.size()) > 120)
            return ReviewWording::valueFault(ValueFault::Age);
        return QString();
    }
    case FieldKind::StudentNumber:
        return allDigits(value) ? QString() : ReviewWording::valueFault(ValueFault::StudentNumber);
    case FieldKind::BirthDate:
    case FieldKind::Date:
        return dateProblem(kind, value, today);
    case FieldKind::Address:
        return addressProblem(value);
    case FieldKind::Ethnicity:
        return isEthnicity(value) ? QString() : ReviewWording::valueFault(ValueFault::Ethnicity);
    case FieldKind::PoliticalStatus:
        return isPoliticalStatus(value) ? QString() : ReviewWording::valueFault(ValueFault::PoliticalStatus);
    case FieldKind::Qq:
        return matchesWhole(qq, value) ? QString() : ReviewWording::valueFault(ValueFault::Qq);
    case FieldKind::WeChat:
        if (matchesWhole(weChat, value) || mobileProblem(value).isEmpty())
            return QString();
        return ReviewWording::valueFault(ValueFault::WeChat);
    case FieldKind::PostCode:
        return matchesWhole(postCode, value) ? QString() : ReviewWording::valueFault(ValueFault::PostCode);
    case FieldKind::Education:
        return isEducation(value) ? QString() : ReviewWording::valueFault(ValueFault::Education);
    default:
        return QString();
    }
}

} // namespace

QString valueProblem(FieldKind kind, const QString &value, const QDate &today)
{
    if (hasInvisibleCharacter(value))
        return ReviewWording::valueFault(ValueFault::Invisible);
    const bool fullWidth = hasFullWidthAlnum(value)
        || (kind == FieldKind::Email && std::any_of(value.cbegin(), value.cend(), [](QChar c) {
                               return c.unicode() >= 0xFF01 && c.unicode() <= 0xFF5E;
                           }));
    if (!fullWidth)
        return kindProblem(kind, value, today);
    // The digits are all there, only full-width: say that, not that the value is too short.
    const QString problem = kindProblem(kind, halfWidth(value), today);
    return problem.isEmpty() ? fullWidthNote(value) : problem;
}

int ageOn(const QDate &birth, const QDate &today)
{
    int age = today.year() - birth.year();
    if (today.month() < birth.month() || (today.month() == birth.month() && today.day() < birth.day()))
        --age;
    return age;
}

QDate parseDate(const QString &text)
{
    if (text.size() == 8 && allDigits(text))
        return QDate(digitsValue(text, 0, 4), digitsValue(text, 4, 2), digitsValue(text, 6, 2));
    // yyyy-M-d with - / . or 年 月 (日), read by hand: a QRegExp per call costs more than the whole check.
    int at = 0;
    const auto digitsUpTo = [&text, &at](int least, int most) {
        int value = 0;
        int count = 0;
        while (count < most && at < text.size() && text.at(at) >= QLatin1Char('0')
               && text.at(at) <= QLatin1Char('9')) {
            value = value * 10 + (text.at(at++).unicode() - '0');
            ++count;
        }
        return count >= least ? value : -1;
    };
    const auto separator = [&text, &at](QChar local) {
        if (at >= text.size())
            return false;
        const QChar c = text.at(at++);
        return c == QLatin1Char('-') || c == QLatin1Char('/') || c == QLatin1Char('.') || c == local;
    };
    const int year = digitsUpTo(4, 4);
    if (year < 0 || !separator(QChar(u'年')))
        return QDate();
    const int month = digitsUpTo(1, 2);
    if (month < 0 || !separator(QChar(u'月')))
        return QDate();
    const int day = digitsUpTo(1, 2);
    if (at < text.size() && (text.at(at) == QChar(u'日') || text.at(at) == QChar(u'号')))
        ++at;
    if (day < 0 || at != text.size())
        return QDate();
    return QDate(year, month, day);
}

QDate parseYearMonth(const QString &text)
{
    static const QRegularExpression shape(QStringLiteral("^(\\d{4})(?:[-/.年]?)(\\d{1,2})月?$"));
    const QRegularExpressionMatch match = shape.match(text);
    // 2019-1 or 20191 reads two ways; six digits or a separator leave one.
    if (!match.hasMatch() || (text.size() == 5 && allDigits(text)))
        return QDate();
    return QDate(match.captured(1).toInt(), match.captured(2).toInt(), 1);
}

bool agreesWithDate(const QString &text, const QDate &date)
{
    const QString value = halfWidth(text);
    const QDate full = parseDate(value);
    if (full.isValid())
        return full == date;
    const QDate month = parseYearMonth(value);
    return month.isValid() && month.year() == date.year() && month.month() == date.month();
}

QString halfWidth(const QString &text)
{
    // Read through at(), written through []: the text is copied only when a character changes.
    QString result = text;
    for (int i = 0; i < result.size(); ++i) {
        const ushort u = result.at(i).unicode();
        if (u >= 0xFF01 && u <= 0xFF5E)
            result[i] = QChar(u - 0xFEE0);
        else if (u == 0x3000)
            result[i] = QLatin1Char(' ');
    }
    return result;
}

bool hasFullWidthAlnum(const QString &text)
{
    return std::any_of(text.cbegin(), text.cend(), isFullWidthAlnum);
}
