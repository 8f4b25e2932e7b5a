// The shapes of values: whether a text could be a value of a kind, which kind it plainly is, and how
// a value is written. The traits table (kind_traits.cpp) gives each kind its shape test and its
// canonical form from these.
#pragma once

#include "fields/known_fields.h"

#include <QDate>
#include <QString>

// The text half-width and trimmed; most texts are so already and are not copied.
QString plainText(const QString &text);
QString withoutSpaces(const QString &text);

// Shapes of single kinds, asked of plain text (see plainText).
bool looksLikeAge(const QString &text); // 25, 25岁, 25周岁
bool looksLikeCode(const QString &text, const QDate &today); // a student or employee number
bool looksLikeQq(const QString &text, const QDate &today);
bool looksLikePostCode(const QString &text, const QDate &today);
bool looksLikeDate(const QString &text); // 1900 to 2100, in any usual form
bool looksLikeNativePlace(const QString &text);
// Short Chinese text of no plain kind: what a school, a major, a department, an employer or a post is
// named by, once its ending tells which (word_lists.h).
bool looksLikeNamedThing(const QString &text, const QDate &today);
bool looksLikeGender(const QString &text); // 男, 女, 男性, 女生…
// A short phrase that is no value of another kind.
bool looksLikeRemark(const QString &text, const QDate &today);

// The kind the text plainly is, where no other kind could take it: a mobile, landline or ID number,
// an e-mail address, a date written with separators or 年月日, a street address, a gender, an
// ethnic group with 族, a political status. FieldKind::Other otherwise.
FieldKind plainKind(const QString &text, const QDate &today);

// Canonical forms of single kinds, of plain text: the mobile number's eleven digits, the phone number
// without spaces, the ID number with X, 男 or 女, the age's number.
QString canonicalMobile(const QString &text);
QString canonicalPhone(const QString &text);
QString canonicalIdNumber(const QString &text);
QString canonicalGender(const QString &text);
QString canonicalAge(const QString &text);
