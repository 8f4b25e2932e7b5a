// A pasted or imported list cut into records: by blank lines, one a line, or chosen from the text,
// with the reason shown to the user.
#pragma once

#include "fields/field_catalogue.h"

#include <QList>
#include <QString>
#include <QStringList>

enum class BatchSplit {
    Auto, // blank lines when there are any, else lines when most look like records, else one record
    Blocks, // blocks between blank lines, as quorbel-sort reads records
    Lines, // every line that is not blank
};

struct BatchRecords
{
    QStringList texts;
    BatchSplit used = BatchSplit::Blocks; // never Auto
    QString reason; // as the dialog shows it
};

// Auto asks the fields how many values each line holds; the other modes do not use them.
BatchRecords splitBatch(const QString &text, BatchSplit mode, const QList<FieldDef> &fields);
