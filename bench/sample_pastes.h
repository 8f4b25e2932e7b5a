// Seeded generator of realistic pastes of one person's details, each with the row it should give:
// consistent people (ID number, age and gender agree), labels the rules know and some they do not,
// glued labels, full-width digits, separators the rules do not cut at, junk words, some faulty values.
#pragma once

#include "bench/sample_records.h"

#include <QDate>

// The preset fields and a department field without a pattern.
QList<FieldDef> reviewFields();

struct SamplePaste
{
    QString text; // no blank line inside, so that blank lines can separate pastes in a file
    QStringList truth; // one cell per field of reviewFields()
    bool faulty = false; // holds a value that breaks its check as written (bad ID check digit, phone prefix)
};

class SamplePastes final
{
public:
    SamplePastes(quint32 seed, const QDate &today);

    SamplePaste next();

private:
    QString idNumber(const QDate &birth, bool male, bool *faulty);
    QString written(int field, const QString &value);
    int below(int bound) { return m_records.below(bound); }
    bool chance(int percent) { return below(100) < percent; }

    SampleRecords m_records; // names, e-mail addresses, classes, schools, junk, separators
    QDate m_today;
};
