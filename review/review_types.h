// The types the review shares with its callers and between its steps: what it is given of one
// classified record, and the notes it writes.
#pragma once

#include "engine/record_row.h"
#include "fields/field_catalogue.h"
#include "fields/known_fields.h"
#include "review/review_faults.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVector>

struct ReviewNote
{
    // Duplicate: an earlier record shares the field's value (quorbel-sort --json; the window marks
    // repeats across its table instead).
    enum class Kind { Candidates, Check, Suggestion, Duplicate };

    int field = -1;
    Kind kind = Kind::Check;
    QString text; // as the window shows it
    QStringList values; // the candidates, or the one suggested value
    int record = -1; // a duplicate's earlier record, counted from 0
    Fault fault; // a check's fault, as the text says it
};

// What the review needs of one classification run, and what the window keeps of it.
struct ReviewInput
{
    QList<FieldDef> fields;
    RecordRow cells;
    QList<bool> labelled; // filled by a label
    QStringList leftover;
    QList<bool> settled; // set by hand: still checked, but nothing is proposed for it
    QString text; // the record's text when known: labels and values are paired in its order and lines
};

// What the field list says of each field: its kind and whether its pattern may be used. Records
// reviewed one after another with one field list share it, worked out once.
struct FieldFacts
{
    QList<FieldDef> fields;
    QVector<FieldKind> kinds;
    QVector<bool> usable; // the pattern compiles, is not too complex and can mean what was meant
};
FieldFacts fieldFacts(const QList<FieldDef> &fields);
