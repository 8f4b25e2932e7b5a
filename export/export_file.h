// Exporting the table to a file.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

enum class ExportFormat { Xlsx, Csv };

// The format a file name asks for by its suffix (either case); `chosen` for any other name.
ExportFormat exportFormatOf(const QString &path, ExportFormat chosen);

// Writes the field names and the rows to the file in one step: on any failure the file is as it was,
// nothing half-written is left, and *errorText says why.
bool exportTable(const QString &path, ExportFormat format, const QStringList &header,
                 const QList<QStringList> &rows, QString *errorText);
