// Checks of a single value by the kind of its field, and the dates they read; the ID number's check
// and facts (id_numbers.h) and the shapes of values (value_shapes.h) come along. Each check gives
// the reason in the window's words, or the empty string when it passes.
#pragma once

#include "fields/known_fields.h"
#include "review/id_numbers.h"
#include "review/value_shapes.h"

#include <QDate>
#include <QString>

// Why the value breaks its kind's check; empty when it passes or the kind has no check. A value
// that would pass but for full-width digits or letters is said to hold them (含全角数字).
QString valueProblem(FieldKind kind, const QString &value, const QDate &today);

// Whole years from birth to today.
int ageOn(const QDate &birth, const QDate &today);
// 2001-05-12, 2001/5/12, 2001.5.12, 2001年5月12日 (or 号) or 20010512; an invalid date otherwise.
QDate parseDate(const QString &text);
// A month alone: 2019年12月, 2019-12, 2019/12, 2019.12 or 201912, as the first of that month; an
// invalid date otherwise.
QDate parseYearMonth(const QString &text);

// Whether the text names the date: a full date equal to it, or a month alone (2001年5月, 200105,
// as 出生年月 holds) of the date's year and month. Full-width digits are read as digits.
bool agreesWithDate(const QString &text, const QDate &date);

// Full-width ASCII forms (digits, letters, @ . - _) and the ideographic space made half-width.
QString halfWidth(const QString &text);
inline bool isFullWidthAlnum(QChar c)
{
    const ushort u = c.unicode();
    return (u >= 0xFF10 && u <= 0xFF19) || (u >= 0xFF21 && u <= 0xFF3A) || (u >= 0xFF41 && u <= 0xFF5A);
}
bool hasFullWidthAlnum(const QString &text);
