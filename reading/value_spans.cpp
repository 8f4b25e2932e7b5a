// One expression finds them all, its alternatives in the order that settles a tie at one position:
// an ID number before a mobile number (both start with digits), a landline before a date.
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

} // namespace

QVector<ValueSpan> valueSpans(const QString &line)
{
    static const QRegularExpression shapes(
        QStringLiteral("(?<email>[A-Za-z0-9][A-Za-z0-9._%+-]*@[A-Za-z0-9-]+(?:\\.[A-Za-z0-9-]+)*\\.[A-Za-z]{2,6})"
                       "|(?<id>(?<![0-9])(?:\\d{6} ?\\d{8} ?\\d{3}[0-9Xx]|\\d{15})(?![0-9]))"
                       "|(?<mobile>(?<![0-9])(?:\\(?(?:\\+|00)?86\\)?[ -]?)?(?<digits>1[2-9]\\d[ -]?\\d{4}[ -]?\\d{4})(?![0-9]))"
                       "|(?<landline>(?<![0-9])(?:\\(0\\d{2,3}\\)|0\\d{2,3})[ -]?[2-9]\\d{6,7}"
                       "(?:(?:转|分机|-|#)\\d{1,6})?(?![0-9]))"
                       "|(?<date>(?<![0-9])(?:19|20)\\d{2}(?:年\\d{1,2}月(?:\\d{1,2}[日号])?|([./-])\\d{1,2}(?:\\g{-1}\\d{1,2})?)"
                       "(?![0-9]))"
                       "|(?<number>\\d+)"),
        QRegularExpression::UseUnicodePropertiesOption);
    QVector<ValueSpan> spans;
    // Most lines of a paste hold a digit or an @; a line of words alone has no span to look for.
    bool any = false;
    for (const QChar c : line) {
        if ((c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('@')) {
            any = true;
            break;
        }
    }
    if (!any)
        return spans;
    QRegularExpressionMatchIterator it = shapes.globalMatch(line);
    while (it.hasNext()) {
        const QRegularExpressionMatch match = it.next();
        ValueSpan span;
        span.start = match.capturedStart();
        span.end = match.capturedEnd();
        span.value = match.captured();
        if (match.capturedLength(QStringLiteral("email")) > 0) {
            span.kind = SpanKind::Email;
            // 110105…1234wang@163.com: a number glued before an address of letters is a value of its own.
            int digits = 0;
            while (digits < span.value.size() && span.value.at(digits).isDigit())
                ++digits;
            if (digits >= 11 && span.value.at(digits).isLetter()) {
                for (ValueSpan number : valueSpans(line.mid(span.start, digits))) {
                    number.start += span.start;
                    number.end += span.start;
                    spans.append(number);
                }
                span.start += digits;
                span.value = span.value.mid(digits);
            }
        } else if (match.capturedLength(QStringLiteral("id")) > 0) {
            span.kind = SpanKind::IdNumber;
            span.value = digitsOnly(span.value);
        } else if (match.capturedLength(QStringLiteral("mobile")) > 0) {
            span.kind = SpanKind::Mobile;
            span.value = digitsOnly(match.captured(QStringLiteral("digits")));
        } else if (match.capturedLength(QStringLiteral("landline")) > 0) {
            span.kind = SpanKind::Landline;
        } else if (match.capturedLength(QStringLiteral("date")) > 0) {
            span.kind = SpanKind::Date;
        } else {
            span.kind = SpanKind::Digits;
        }
        spans.append(span);
    }
    return spans;
}
