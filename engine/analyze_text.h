// Classifying one record text against a field list, without a window.
#pragma once

#include "engine/record_row.h"
#include "fields/field_catalogue.h"

#include <QList>
#include <QString>
#include <QStringList>

// One cell per field, in field order; the same text and fields always give the same row.
RecordRow analyzeText(const QString &text, const QList<FieldDef> &fieldDefs);
