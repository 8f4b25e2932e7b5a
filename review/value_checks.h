// Checks of a single value, and the dates they read. Each gives the fault it finds, FaultType::None
// when the value passes; valueProblem (kind_traits.h) picks the check of a field's kind.
#pragma once

#include "fields/character_classes.h"
#include "fields/known_fields.h"
#include "review/review_faults.h"

#include <QDate>
#include <QString>

// The checks of the kinds whose rows in the traits table (kind_traits.cpp) need more than a line.
Fault mobileFault(const QString &number);
Fault phoneFault(const QString &number); // a mobile number or a landline
Fault emailFault(const QString &address);
Fault dateFault(const QString &value, const QDate &today, bool birth);
Fault addressFault(const QString &address);
Fault ageFault(const QString &value);
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
