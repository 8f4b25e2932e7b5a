// The shape of each kind of value: whether a text could be one, which kind it plainly is, and how it
// is written as a value.
#pragma once

#include "fields/known_fields.h"
#include "review/number_shapes.h"

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
