// The shapes of the values written in ASCII: mobile and landline numbers, ID numbers and
// e-mail addresses. Half-width text only: callers make full-width forms half-width first.
#pragma once

#include <QString>

// Whether count characters from from are all ASCII digits (and there is at least one); count -1
// for the rest of the text.
bool allDigits(const QString &text, int from = 0, int count = -1);
// The number the count ASCII digits from from make; the caller knows they are digits.
int digitsValue(const QString &text, int from, int count);

// The 11 digits of a mobile number written whole, in groups (139 0571 2266, 139-0571-2266) or
// after +86, 86 or 0086; empty when the text is none. Half-width digits only.
QString mobileDigits(const QString &text);
// Whether the text is a landline number: an area code (0 and two or three digits, optionally in
// brackets), 7–8 digits, optionally an extension after 转 or -. Without needAreaCode the number
// may stand alone. Half-width digits only.
bool isLandlineNumber(const QString &text, bool needAreaCode);
// 17 digits and a digit or X, or the old kind's 15 digits; spaces between groups allowed. The
// check digit, region and date are the check's business, not the shape's.
bool looksLikeIdNumber(const QString &text);
// local@domain.tld in the characters e-mail addresses use.
bool looksLikeEmail(const QString &text);
// 5 to 11 digits, not starting with 0.
bool isQqNumber(const QString &text);
// 6 to 20 letters, digits, underscores or dashes, starting with a letter.
bool isWeChatId(const QString &text);
