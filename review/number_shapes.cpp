// The shapes of the values written in ASCII: mobile and landline numbers in the ways
// people write them, ID numbers and e-mail addresses.
#include "review/number_shapes.h"

#include <QRegularExpression>

namespace {

bool matchesWhole(const QRegularExpression &shape, const QString &text)
{
    return shape.match(text).hasMatch();
}

} // namespace

// Whether count characters from from are all ASCII digits (and there is at least one).
bool allDigits(const QString &text, int from, int count)
{
    if (count < 0)
        count = text.size() - from;
    if (count <= 0 || from + count > text.size())
        return false;
    for (int i = from; i < from + count; ++i) {
        if (text.at(i) < QLatin1Char('0') || text.at(i) > QLatin1Char('9'))
            return false;
    }
    return true;
}

// The number the count ASCII digits from from make; the caller knows they are digits.
int digitsValue(const QString &text, int from, int count)
{
    int value = 0;
    for (int i = from; i < from + count; ++i)
        value = value * 10 + (text.at(i).unicode() - '0');
    return value;
}

QString mobileDigits(const QString &text)
{
    static const QRegularExpression shape(
        QStringLiteral("^(?:[(]?(?:\\+|00)?86[)]?[ -]?)?(1[3-9]\\d)[ -]?(\\d{4})[ -]?(\\d{4})$"));
    // Most texts asked about are shorter than the eleven digits: no need to match them. Eleven digits
    // alone leave no room for a country code: the number as it stands, or none.
    if (text.size() < 11)
        return QString();
    if (text.size() == 11 && allDigits(text))
        return text.at(0) == QLatin1Char('1') && text.at(1) >= QLatin1Char('3') ? text : QString();
    const QRegularExpressionMatch match = shape.match(text);
    if (!match.hasMatch())
        return QString();
    return match.captured(1) + match.captured(2) + match.captured(3);
}

bool isLandlineNumber(const QString &text, bool needAreaCode)
{
    // 010 and 02x have two-digit area codes, the rest three; the local number never starts with 0 or 1.
    static const QRegularExpression withArea(
        QStringLiteral("^(?:[(]?(?:\\+|00)?86[)]?[ -]?)?[(（]?0(?:[12]\\d|[3-9]\\d{2})[)）]?[ -]?"
                       "[2-9]\\d{2,3}[ -]?\\d{4}(?:(?:转|分机|-|ext\\.?|x|#)\\d{1,6})?$"));
    static const QRegularExpression alone(
        QStringLiteral("^[2-9]\\d{2,3}[ -]?\\d{4}(?:(?:转|分机|ext\\.?|x|#)\\d{1,6})?$"));
    if (text.size() < 7) // the shortest local number alone
        return false;
    return matchesWhole(withArea, text) || (!needAreaCode && matchesWhole(alone, text));
}

bool looksLikeIdNumber(const QString &text)
{
    static const QRegularExpression shape(QStringLiteral("^(\\d{17}[\\dXx]|\\d{15})$"));
    if (text.size() < 15)
        return false;
    return matchesWhole(shape, QString(text).remove(QLatin1Char(' ')));
}

bool looksLikeEmail(const QString &text)
{
    static const QRegularExpression shape(
        QStringLiteral("^[A-Za-z\\d._%+-]+@[A-Za-z\\d-]+(\\.[A-Za-z\\d-]+)+$"));
    if (!text.contains(QLatin1Char('@')))
        return false;
    return matchesWhole(shape, text);
}

bool isQqNumber(const QString &text)
{
    static const QRegularExpression shape(QStringLiteral("^[1-9]\\d{4,10}$"));
    return matchesWhole(shape, text);
}

bool isWeChatId(const QString &text)
{
    static const QRegularExpression shape(QStringLiteral("^[A-Za-z][-_A-Za-z\\d]{5,19}$"));
    return matchesWhole(shape, text);
}
