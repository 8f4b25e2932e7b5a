// ID numbers follow GB 11643: 17 digits, then a check character computed from them with fixed
// weights modulo 11, X standing for 10; the old kind had 15 digits, a two-digit year and no check
// character.
#include "review/id_numbers.h"

#include "review/number_shapes.h"

namespace {

bool knownProvince(int code)
{
    static const int codes[] = { 11, 12, 13, 14, 15, 21, 22, 23, 31, 32, 33, 34, 35, 36, 37, 41, 42, 43,
                                 44, 45, 46, 50, 51, 52, 53, 54, 61, 62, 63, 64, 65, 71, 81, 82, 83 };
    for (const int known : codes) {
        if (known == code)
            return true;
    }
    return false;
}

// Eight digits from from as yyyyMMdd. By hand: QDate::fromString with a format reads the time zone each
// call, and no copy of the digits is made.
QDate dateFromDigits(const QString &text, int from = 0)
{
    if (!allDigits(text, from, 8))
        return QDate();
    return QDate(digitsValue(text, from, 4), digitsValue(text, from + 4, 2), digitsValue(text, from + 6, 2));
}

QChar idCheckCharacter(const QString &id)
{
    static const int weights[17] = { 7, 9, 10, 5, 8, 4, 2, 1, 6, 3, 7, 9, 10, 5, 8, 4, 2 };
    int sum = 0;
    for (int i = 0; i < 17; ++i)
        sum += (id.at(i).unicode() - '0') * weights[i];
    return QLatin1Char("10X98765432"[sum % 11]);
}

Fault idNumberOfOldKindProblem(const QString &id)
{
    if (!knownProvince(digitsValue(id, 0, 2)))
        return Fault(FaultType::IdRegion);
    const QDate birth(1900 + digitsValue(id, 6, 2), digitsValue(id, 8, 2), digitsValue(id, 10, 2));
    if (!birth.isValid())
        return Fault(FaultType::IdBirthDate);
    return Fault(FaultType::IdOld15);
}

} // namespace

Fault idNumberProblem(const QString &id, const QDate &today)
{
    if (id.size() == 15 && allDigits(id))
        return idNumberOfOldKindProblem(id);
    if (id.size() != 18)
        return Fault(FaultType::IdLength);
    if (!allDigits(id, 0, 17))
        return Fault(FaultType::IdDigits);
    const QChar last = id.at(17);
    if (!last.isDigit() && last != QLatin1Char('X') && last != QLatin1Char('x'))
        return Fault(FaultType::IdLast);
    if (!knownProvince(digitsValue(id, 0, 2)))
        return Fault(FaultType::IdRegion);
    const QDate birth = dateFromDigits(id, 6);
    if (!birth.isValid())
        return Fault(FaultType::IdBirthDate);
    if (birth > today)
        return Fault(FaultType::IdBornLater);
    if (birth.year() < 1900)
        return Fault(FaultType::IdBornBefore1900);
    if (idCheckCharacter(id) != last.toUpper())
        return Fault(FaultType::IdCheckDigit);
    if (last == QLatin1Char('x'))
        return Fault(FaultType::IdLowerX);
    return Fault();
}

bool idNumberFacts(const QString &id, QDate *birth, bool *male)
{
    if (id.size() == 15 && allDigits(id)) {
        *birth = QDate(1900 + digitsValue(id, 6, 2), digitsValue(id, 8, 2), digitsValue(id, 10, 2));
        *male = (id.at(14).unicode() - '0') % 2 == 1;
        return birth->isValid();
    }
    if (id.size() != 18 || !allDigits(id, 0, 17))
        return false;
    *birth = dateFromDigits(id, 6);
    *male = (id.at(16).unicode() - '0') % 2 == 1;
    return birth->isValid();
}

bool idNumberRegionKnown(const QString &id)
{
    return id.size() >= 2 && allDigits(id, 0, 2) && knownProvince(digitsValue(id, 0, 2));
}
