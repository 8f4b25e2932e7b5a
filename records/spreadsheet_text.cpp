// Spreadsheet text: what a spreadsheet pastes as one cell per TAB and one row per line.
#include "records/spreadsheet_text.h"

QString spreadsheetText(const QList<QStringList> &rows)
{
    QString text;
    for (const QStringList &row : rows) {
        text += row.join(QLatin1Char('\t'));
        text += QLatin1Char('\n');
    }
    return text;
}
