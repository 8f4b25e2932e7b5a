// The ID number: its check, and the birth date and sex it tells.
#pragma once

#include "review/review_faults.h"

#include <QDate>
#include <QString>

// Why the ID number is no valid one (length, digits, region, birth date, check character; the old
// 15-digit kind is said to be one); FaultType::None when it passes.
Fault idNumberProblem(const QString &id, const QDate &today);
// Birth date and sex of an 18-digit or old 15-digit ID number whose date part is a real date;
// false otherwise.
bool idNumberFacts(const QString &id, QDate *birth, bool *male);
// Whether the first two digits name a province, municipality or region.
bool idNumberRegionKnown(const QString &id);
