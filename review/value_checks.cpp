// The value checks of every kind but the ID number's, the dates they read, and the full-width and
// invisible characters a value must not hold.
#include "review/value_checks.h"

#include "review/number_shapes.h"
#include "review/word_lists.h"

#include <QRegularExpression>

#include <algorithm>

namespace {

QString mobileProblem(const QString &number)
{
    const QString digits = allDigits(number) ? number : mobileDigits(number);
    if (!digits.isEmpty() && digits != number) {
        const bool country = !number.startsWith(digits.left(3));
        return country ? QStringLiteral("手机号前带有国家码86") : QStringLiteral("手机号中间有分隔符");
    }
    if (number.size() != 11 || !allDigits(number))
        return QStringLiteral("手机号应为11位数字");
    if (number.at(0) != QLatin1Char('1') || number.at(1) < QLatin1Char('3'))
        return QStringLiteral("手机号应以13–19开头");
    return QString();
}

QString emailProblem(const QString &address)
{
    const int at = address.indexOf(QLatin1Char('@'));
    const QString domain = address.mid(at + 1);
    const int dot = domain.indexOf(QLatin1Char('.'));
    if (at <= 0 || address.count(QLatin1Char('@')) != 1 || dot <= 0 || domain.endsWith(QLatin1Char('.')))
        return QStringLiteral("邮箱格式不符");
    return QString();
}

QString dateProblem(FieldKind kind, const QString &value, const QDate &today)
{
    QDate date = parseDate(value);
    if (!date.isValid())
        date = parseYearMonth(value);
    if (!date.isValid() || date.year() < 1900)
        return QStringLiteral("日期无效");
    if (kind == FieldKind::BirthDate && date > today)
        return QStringLiteral("出生日期晚于今天");
    return QString();
}

QString addressProblem(const QString &address)
{
    if (address.size() > 100)
        return QStringLiteral("地址过长");
    const AddressMarkers markers = addressMarkers(address);
    if (placeNamePrefix(address) == 0 && markers.region == 0 && markers.street == 0)
        return QStringLiteral("不像地址（无省市、街道或门牌）");
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
        return QStringLiteral("含全角字符");
    return letters ? QStringLiteral("含全角字母或数字") : QStringLiteral("含全角数字");
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
        return isLandlineNumber(value, false) ? QString() : QStringLiteral("固定电话应为区号加7–8位号码");
    case FieldKind::Phone:
        if (isLandlineNumber(value, false))
            return QString();
        if (value.startsWith(QLatin1Char('1')) || !mobileDigits(value).isEmpty())
            return mobileProblem(value);
        return QStringLiteral("电话应为手机号或带区号的固定电话");
    case FieldKind::Email:
        return emailProblem(value);
    case FieldKind::Gender:
        if (value != QStringLiteral("男") && value != QStringLiteral("女"))
            return QStringLiteral("性别应为男或女");
        return QString();
    case FieldKind::Age: {
        // Three digits at most: a longer number is out of range, and toInt would go through the locale.
        if (!allDigits(value) || value.startsWith(QLatin1Char('0')) || value.size() > 3
            || digitsValue(value, 0, value.size()) > 120)
            return QStringLiteral("年龄应为1–120的整数");
        return QString();
    }
    case FieldKind::StudentNumber:
        return allDigits(value) ? QString() : QStringLiteral("学号应只含数字");
    case FieldKind::BirthDate:
    case FieldKind::Date:
        return dateProblem(kind, value, today);
    case FieldKind::Address:
        return addressProblem(value);
    case FieldKind::Ethnicity:
        return isEthnicity(value) ? QString() : QStringLiteral("不是56个民族之一");
    case FieldKind::PoliticalStatus:
        return isPoliticalStatus(value) ? QString()
                                        : QStringLiteral("政治面貌应为中共党员、共青团员、群众等");
    case FieldKind::Qq:
        return matchesWhole(qq, value) ? QString() : QStringLiteral("QQ号应为5–11位数字");
    case FieldKind::WeChat:
        if (matchesWhole(weChat, value) || mobileProblem(value).isEmpty())
            return QString();
        return QStringLiteral("微信号应为6–20位字母、数字、下划线或减号，以字母开头");
    case FieldKind::PostCode:
        return matchesWhole(postCode, value) ? QString() : QStringLiteral("邮编应为6位数字");
    case FieldKind::Education:
        return isEducation(value) ? QString() : QStringLiteral("学历应为本科、大专、硕士等");
    default:
        return QString();
    }
}

} // namespace

QString valueProblem(FieldKind kind, const QString &value, const QDate &today)
{
    if (hasInvisibleCharacter(value))
        return QStringLiteral("含不可见字符");
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
