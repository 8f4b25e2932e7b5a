// The shape of each kind of value: whether a text could be one, which kind it plainly is, and how it
// is written as a value.
#pragma once

#include "fields/known_fields.h"

#include <QDate>
#include <QString>

// Whether the text has the shape of a value of the kind: a plausible value, not necessarily one
// that passes every check (a mobile number written in groups or after +86, an ID number with a
// wrong check digit, a date in any usual form). False for FieldKind::Other, whose values have no
// known shape.
bool looksLike(FieldKind kind, const QString &text, const QDate &today);

// The kind the text plainly is, where no other kind could take it: a mobile, landline or ID number,
// an e-mail address, a date written with separators or 年月日, a street address, a gender, an
// ethnic group with 族, a political status. FieldKind::Other otherwise.
FieldKind plainKind(const QString &text, const QDate &today);

// The text as a value of the kind should be written: half-width; numbers without the spaces and
// dashes between their groups and a mobile number without +86; an ID number's x made X.
QString canonicalValue(FieldKind kind, const QString &text);

// The 11 digits of a mobile number written whole, in groups (139 0571 2266, 139-0571-2266) or
// after +86, 86 or 0086; empty when the text is none. Half-width digits only.
QString mobileDigits(const QString &text);
// Whether the text is a landline number: an area code (0 and two or three digits, optionally in
// brackets), 7–8 digits, optionally an extension after 转 or -. Without needAreaCode the number
// may stand alone. Half-width digits only.
bool isLandlineNumber(const QString &text, bool needAreaCode);
