// The values of a line that have a shape of their own, found wherever they are glued: e-mail
// addresses, ID numbers, mobile numbers (in groups or after +86), landlines with their area code
// and extension, dates, and runs of digits.
#pragma once

#include <QString>
#include <QVector>

enum class SpanKind { Email, IdNumber, Mobile, Landline, Date, Digits };

struct ValueSpan
{
    int start = 0;
    int end = 0;
    SpanKind kind = SpanKind::Digits;
    QString value; // as a value is written: a mobile as its 11 digits, groups of an ID number joined
};

// The spans of a half-width line, left to right, none overlapping.
QVector<ValueSpan> valueSpans(const QString &line);
