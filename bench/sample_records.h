// Seeded generator of realistic personal-detail records and of the field lists they are sorted into.
#pragma once

#include "fields/field_catalogue.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <random>

// The check character of an ID number from its first seventeen digits, worked out here apart from
// the review's own, so that the generators do not take a fault of the review for the truth.
QChar idCheck(const QString &body);

// The eleven preset patterns, one field each, under their first names.
QList<FieldDef> presetFields();
// The presets followed by further common fields (some without a pattern) up to fifty.
QList<FieldDef> fiftyFields();

class SampleRecords final
{
public:
    // extraFields: also draw values for the fields that fiftyFields() adds to the presets.
    explicit SampleRecords(quint32 seed, bool extraFields = false);

    // One record of about ten tokens: values, some "label：value" pairs, some junk, mixed separators.
    QString record();
    // Records joined by separators until the text holds at least utf8Bytes bytes of UTF-8.
    QString bigRecord(int utf8Bytes);

    // Building blocks, for callers that assemble odder records themselves.
    QString value();
    // A value that field i of fiftyFields() (and so of presetFields()) is meant to take.
    QString valueOf(int field);
    QString junk();
    QString separatorRun();
    int below(int bound) { return int(m_random() % quint32(bound)); }

private:
    QString pick(const QStringList &list) { return list.at(below(list.size())); }
    QString digits(int count);
    QString chineseName();

    std::mt19937 m_random; // its output sequence is fixed by the C++ standard, so runs repeat
    bool m_extraFields;
    QList<FieldDef> m_fields; // their names serve as labels
};
