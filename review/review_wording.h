// Every sentence the record review shows, in one place: the checks of a cell, the row's agreement
// with its ID number, and the suggestions with their reasons.
#pragma once

#include "fields/known_fields.h"

#include <QChar>
#include <QDate>
#include <QString>
#include <QStringList>

namespace ReviewWording {

// Checks of one cell.
QString holdsLabel(const QString &label);
QString fillerNotData();
QString holdsSeparator(QChar separator);
QString holdsFullWidth(const QString &value); // 含全角数字 when only digits are full-width
QString isLabel(const QString &word);
QString holdsInvisible();
QString holdsNumbering(const QString &numbering);
QString offPattern(const QString &value);
QString looksLikeKind(FieldKind kind); // 像是手机号, 像是学校…
QString uncommonSurname();

// The row against its ID number.
QString genderAgainstId(bool male);
QString ageAgainstId(int age);
QString birthDateAgainstId(const QDate &birth);

// Candidates and suggestions.
QString candidates(const QStringList &values);
QString faultyCandidate(const QString &value, const QString &problem);
QString suggestion(const QString &value, const QString &reason); // an empty value says 清空
QString takenFrom(const QString &whole);
QString commonSurname();
QString onlyPassing();
QString shapeOf(FieldKind kind); // the reason a text of that shape is proposed
QString moveTo(const QString &fieldName);
QString commonFiller();
QString afterLabel(const QString &label);
QString onlyPhraseLeft();

} // namespace ReviewWording
