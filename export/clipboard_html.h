// The record table as HTML beside the clipboard's text, so that a spreadsheet keeps long numbers.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// True for a cell that a spreadsheet would change when pasted: a run of twelve or more digits (an ID
// number may end in X), digits with a leading zero, or text that starts like a formula.
bool needsTextFormat(const QString &cell);

// The rows as an HTML table in which exactly those cells are marked as text; the empty string when no
// cell needs it, so that the clipboard then keeps its text alone.
QString clipboardHtml(const QList<QStringList> &rows);
