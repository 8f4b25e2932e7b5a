// One expression finds them all, its alternatives in the order that settles a tie at one position:
// an ID number before a mobile number (both start with digits), a landline before a date. It runs
// only over the stretches of a line that could hold a shape, not over the Chinese text around them,
// and not over a run of digits alone, whose shape its length and first digits tell.
#include "reading/value_spans.h"

#include <QRegularExpression>

#include <algorithm>

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

// Characters no shape holds (a colon, a comma, a TAB…): a match never crosses one, and one before
// or after a match is no digit for the expression's look-arounds, so the text is cut at them.
bool inAnyMatch(QChar c)
{
    switch (c.unicode()) {
    case '.':
    case '_':
    case '%':
    case '+':
    case '-':
    case '@':
    case ' ':
    case '(':
    case ')':
    case '#':
    case '/':
        return true;
    default:
        return c.unicode() >= 0x80 || (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            || (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
            || (c >= QLatin1Char('A') && c <= QLatin1Char('Z'));
    }
}

bool isAsciiDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// What the expression finds in a run of digits alone: the whole run, as an ID number (15 or 18
// digits), a mobile number (11 digits from 1[2-9], or 13 from 86 and those), a landline (0, an
// area code of two or three digits, then seven or eight digits from [2-9]), or digits.
ValueSpan digitRun(const QString &line, int from, int to)
{
    const QChar *d = line.constData() + from;
    const int n = to - from;
    const auto mobileAt = [&](int at) {
        return n - at == 11 && d[at] == QLatin1Char('1') && d[at + 1] >= QLatin1Char('2');
    };
    const auto landline = [&] {
        if (d[0] != QLatin1Char('0'))
            return false;
        for (int area = 3; area >= 2; --area) {
            const int rest = n - 1 - area;
            if ((rest == 7 || rest == 8) && d[1 + area] >= QLatin1Char('2'))
                return true;
        }
        return false;
    };
    ValueSpan span;
    span.start = from;
    span.end = to;
    span.value = line.mid(from, n);
    if (n == 15 || n == 18) {
        span.kind = SpanKind::IdNumber;
    } else if (mobileAt(0)) {
        span.kind = SpanKind::Mobile;
    } else if (n == 13 && d[0] == QLatin1Char('8') && d[1] == QLatin1Char('6') && mobileAt(2)) {
        span.kind = SpanKind::Mobile;
        span.value = span.value.mid(2);
    } else if (landline()) {
        span.kind = SpanKind::Landline;
    } else {
        span.kind = SpanKind::Digits;
    }
    return span;
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
        // The parts of the stretch a match may lie in, without the spaces at their ends (no match
        // starts or ends with one).
        for (int part = at; worth && part < end;) {
            while (part < end && (!inAnyMatch(line.at(part)) || line.at(part) == QLatin1Char(' ')))
                ++part;
            int partEnd = part;
            while (partEnd < end && inAnyMatch(line.at(partEnd)))
                ++partEnd;
            int last = partEnd;
            while (last > part && line.at(last - 1) == QLatin1Char(' '))
                --last;
            const QChar *first = line.constData() + part;
            const QChar *past = line.constData() + last;
            if (last > part && std::all_of(first, past, isAsciiDigit)) {
                spans.append(digitRun(line, part, last));
            } else if (std::any_of(first, past,
                                   [](QChar c) { return isAsciiDigit(c) || c == QLatin1Char('@'); })) {
                matchStretch(line, part, last, &spans);
            }
            part = partEnd;
        }
        at = end;
    }
    return spans;
}
