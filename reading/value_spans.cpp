// One expression finds them all, its alternatives in the order that settles a tie at one position:
// an ID number before a mobile number (both start with digits), a landline before a date. It runs
// only over the stretches of a line that could hold a shape, not over the Chinese text around them.
#include "reading/value_spans.h"

#include <QRegularExpression>

namespace {

QString digitsOnly(const QString &text)
{
    QString digits;
    for (const QChar c : text) {
        if (c.isDigit() || c == QLatin1Char('X') || c == QLatin1Char('x'))
            digits.append(c == QLatin1Char('x') ? QChar(QLatin1Char('X')) : c);
    }
    return digits;
}

const QRegularExpression &shapes()
{
    static const QRegularExpression expression(
        QStringLiteral(
            "(?<email>[A-Za-z0-9][A-Za-z0-9._%+-]*@[A-Za-z0-9-]+(?:\\.[A-Za-z0-9-]+)*\\.[A-Za-z]{2,6})"
            "|(?<id>(?<![0-9])(?:\\d{6} ?\\d{8} ?\\d{3}[0-9Xx]|\\d{15})(?![0-9]))"
            "|(?<mobile>(?<![0-9])(?:\\(?(?:\\+|00)?86\\)?[ -]?)?(?<digits>1[2-9]\\d[ -]?\\d{4}[ -]?\\d{4})"
            "(?![0-9]))"
            "|(?<landline>(?<![0-9])(?:\\(0\\d{2,3}\\)|0\\d{2,3})[ -]?[2-9]\\d{6,7}"
            "(?:(?:转|分机|-|#)\\d{1,6})?(?![0-9]))"
            "|(?<date>(?<![0-9])(?:(?:19|20)\\d{2}(?:年\\d{1,2}月(?:\\d{1,2}[日号])?|([./-])\\d{1,2}"
            "(?:\\g{-1}\\d{1,2})?)|\\d{1,2}月\\d{1,2}[日号])(?![0-9]))"
            "|(?<number>\\d+)"),
        QRegularExpression::UseUnicodePropertiesOption);
    return expression;
}

// The characters a shape is written in: ASCII, and the words of dates and extensions.
bool inShape(QChar c)
{
    switch (c.unicode()) {
    case 0x5e74: // 年
    case 0x6708: // 月
    case 0x65e5: // 日
    case 0x53f7: // 号
    case 0x8f6c: // 转
    case 0x5206: // 分
    case 0x673a: // 机
        return true;
    default:
        return c.unicode() < 0x80;
    }
}

void matchStretch(const QString &line, int from, int to, QVector<ValueSpan> *spans)
{
    // Groups by number: asking by name looks the name up on every match.
    static const int email = shapes().namedCaptureGroups().indexOf(QStringLiteral("email"));
    static const int id = shapes().namedCaptureGroups().indexOf(QStringLiteral("id"));
    static const int mobile = shapes().namedCaptureGroups().indexOf(QStringLiteral("mobile"));
    static const int mobileDigits = shapes().namedCaptureGroups().indexOf(QStringLiteral("digits"));
    static const int landline = shapes().namedCaptureGroups().indexOf(QStringLiteral("landline"));
    static const int date = shapes().namedCaptureGroups().indexOf(QStringLiteral("date"));
    const QString stretch = line.mid(from, to - from);
    QRegularExpressionMatchIterator it = shapes().globalMatch(stretch);
    while (it.hasNext()) {
        const QRegularExpressionMatch match = it.next();
        ValueSpan span;
        span.start = from + match.capturedStart();
        span.end = from + match.capturedEnd();
        span.value = match.captured();
        if (match.capturedLength(email) > 0) {
            span.kind = SpanKind::Email;
            // 110105…1234wang@163.com: a number glued before an address of letters is a value of its own.
            int digits = 0;
            while (digits < span.value.size() && span.value.at(digits).isDigit())
                ++digits;
            // 12101419951015063X.ke-ke@…: an ID number's X belongs to the number.
            if (digits == 17
                && (span.value.at(digits) == QLatin1Char('X') || span.value.at(digits) == QLatin1Char('x')))
                ++digits;
            if (digits >= 11 && digits < span.value.size() && !span.value.at(digits).isDigit()) {
                matchStretch(line, span.start, span.start + digits, spans);
                while (digits < span.value.size() && !span.value.at(digits).isLetterOrNumber())
                    ++digits;
                span.start += digits;
                span.value = span.value.mid(digits);
            }
        } else if (match.capturedLength(id) > 0) {
            span.kind = SpanKind::IdNumber;
            span.value = digitsOnly(span.value);
        } else if (match.capturedLength(mobile) > 0) {
            span.kind = SpanKind::Mobile;
            span.value = digitsOnly(match.captured(mobileDigits));
        } else if (match.capturedLength(landline) > 0) {
            span.kind = SpanKind::Landline;
        } else if (match.capturedLength(date) > 0) {
            span.kind = SpanKind::Date;
        } else {
            span.kind = SpanKind::Digits;
        }
        spans->append(span);
    }
}

} // namespace

QVector<ValueSpan> valueSpans(const QString &line)
{
    QVector<ValueSpan> spans;
    int at = 0;
    while (at < line.size()) {
        while (at < line.size() && !inShape(line.at(at)))
            ++at;
        int end = at;
        bool worth = false;
        while (end < line.size() && inShape(line.at(end))) {
            const QChar c = line.at(end);
            worth = worth || (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('@');
            ++end;
        }
        if (worth)
            matchStretch(line, at, end, &spans);
        at = end;
    }
    return spans;
}
