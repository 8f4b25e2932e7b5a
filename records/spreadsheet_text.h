// The record table as spreadsheet text, as the copy command puts it on the clipboard.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// Cells joined by TAB, every row ended by LF (the last one too); no header, no quoting.
QString spreadsheetText(const QList<QStringList> &rows);
