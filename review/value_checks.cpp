// The value checks that take more than a line, the dates they read, and the full-width forms a value
// must not hold. Each returns a fault; the sentences are made in review_wording.cpp.
#include "review/value_checks.h"

#include "review/number_shapes.h"
#include "review/word_lists.h"

#include <QRegularExpression>

Fault mobileFault(const QString &number)
{
    const QString digits = allDigits(number) ? number : mobileDigits(number);
    if (!digits.isEmpty() && digits != number) {
        const bool country = !number.startsWith(digits.left(3));
        return country ? Fault(FaultType::MobileCountryCode) : Fault(FaultType::MobileSeparators);
    }
    if (number.size() != 11 || !allDigits(number))
        return Fault(FaultType::MobileLength);
    if (number.at(0) != QLatin1Char('1') || number.at(1) < QLatin1Char('3'))
        return Fault(FaultType::MobilePrefix);
    return Fault();
}

Fault phoneFault(const QString &number)
{
    if (isLandlineNumber(number, false))
        return Fault();
    if (number.startsWith(QLatin1Char('1')) || !mobileDigits(number).isEmpty())
        return mobileFault(number);
    return Fault(FaultType::Phone);
}

Fault emailFault(const QString &address)
{
    const int at = address.indexOf(QLatin1Char('@'));
    const QString domain = address.mid(at + 1);
    const int dot = domain.indexOf(QLatin1Char('.'));
    if (at <= 0 || address.count(QLatin1Char('@')) != 1 || dot <= 0 || domain.endsWith(QLatin1Char('.')))
        return Fault(FaultType::Email);
    return Fault();
}

Fault dateFault(const QString &value, const QDate &today, bool birth)
{
    QDate date = parseDate(value);
    if (!date.isValid())
        date = parseYearMonth(value);
    if (!date.isValid() || date.year() < 1900)
        return Fault(FaultType::Date);
    if (birth && date > today)
        return Fault(FaultType::BornLater);
    return Fault();
}

Fault addressFault(const QString &address)
{
    if (address.size() > 100)
        return Fault(FaultType::AddressTooLong);
    const AddressMarkers markers = addressMarkers(address);
    if (placeNamePrefix(address) == 0 && markers.region == 0 && markers.street == 0)
        return Fault(FaultType::NoAddress);
    return Fault();
}

Fault ageFault(const QString &value)
{
    // Three digits at most: a longer number is out of range, and toInt would go through the locale.
    if (!allDigits(value) || value.startsWith(QLatin1Char('0')) || value.size() > 3
        || digitsValue(value, 0, value.size()) > 120)
        return Fault(FaultType::Age);
    return Fault();
}

Fault fullWidthFault(const QString &text)
{
    bool letters = false;
    bool others = false;
    for (const QChar c : text) {
        if (!isFullWidthForm(c) || isFullWidthDigit(c))
            continue;
        if (isFullWidthAlnum(c))
            letters = true;
        else
            others = true;
    }
    if (others)
        return Fault(FaultType::FullWidth);
    return Fault(letters ? FaultType::FullWidthAlnum : FaultType::FullWidthDigits);
}

bool isPostCode(const QString &text)
{
    // Six digits, the first naming one of the nine postal regions 0–8.
    return text.size() == 6 && allDigits(text) && text.at(0) != QLatin1Char('9');
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
