// The table as a CSV file's bytes.
#pragma once

#include <QByteArray>
#include <QList>
#include <QStringList>

// UTF-8 with a byte-order mark (without it Excel reads Chinese as the local code page), the header
// first, every line ended by CR LF, and a cell quoted, quotes doubled, when it holds a comma, a quote
// or a line break.
QByteArray csvBytes(const QStringList &header, const QList<QStringList> &rows);
