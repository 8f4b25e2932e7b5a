// Checks of a single value by the kind of its field, and the dates they read. Each check gives the
// fault it finds, FaultType::None when the value passes.
#pragma once

#include "fields/character_classes.h"
#include "fields/known_fields.h"
#include "review/review_faults.h"

#include <QDate>
#include <QString>

// Why the value breaks its kind's check; none when it passes or the kind has no check. A value
// that would pass but for full-width digits or letters is said to hold them (含全角数字).
Fault valueProblem(FieldKind kind, const QString &value, const QDate &today);
// What a value holds in full-width forms: 含全角数字 when only digits are, 含全角字母或数字 when
// letters too, 含全角字符 when other forms as well.
Fault fullWidthFault(const QString &text);
// Six digits, the first 0–8: a post code.
bool isPostCode(const QString &text);

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
