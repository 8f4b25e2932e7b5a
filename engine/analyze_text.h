// Classifying one record text against a field list, without a window.
#pragma once

#include "engine/record_row.h"
#include "fields/field_catalogue.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

// One cell per field, in field order; the same text and fields always give the same row.
RecordRow analyzeText(const QString &text, const QList<FieldDef> &fieldDefs);

// Every text in order into *rows. After each, keepGoing is told how many are done; when it says no,
// stops and returns false with *rows incomplete, so a caller that writes only on true changes nothing.
bool analyzeTexts(const QStringList &texts, const QList<FieldDef> &fieldDefs,
                  const std::function<bool(int done)> &keepGoing, QList<RecordRow> *rows);
