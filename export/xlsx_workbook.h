// The table as an .xlsx workbook.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// One sheet: a bold header row of field names, frozen, then the rows, every cell written as a string
// so that no digit is lost; each column as wide as its longest text. On failure returns false with
// the reason for the user in *errorText.
bool workbookBytes(const QStringList &header, const QList<QStringList> &rows, QByteArray *bytes,
                   QString *errorText);

// Width of a text in spreadsheet columns: CJK and other wide characters count two.
int displayWidth(const QString &text);
