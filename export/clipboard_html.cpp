// The clipboard's HTML table. Calc keeps a cell as text only through its own "sdnum" attribute, Excel
// and WPS through "mso-number-format"; a marked cell carries both and nothing else is styled, so the
// paste looks like a paste of the plain text.
#include "export/clipboard_html.h"

#include <QRegularExpression>

bool needsTextFormat(const QString &cell)
{
    // Spreadsheets trim what they paste, so blanks around a number do not save it.
    const QString text = cell.trimmed();
    if (text.isEmpty())
        return false;
    const QChar first = text.at(0);
    if (first == QLatin1Char('=') || first == QLatin1Char('+') || first == QLatin1Char('-')
        || first == QLatin1Char('@'))
        return true;
    // Twelve digits are where a spreadsheet starts showing 2.02E+11; past fifteen it drops digits.
    static const QRegularExpression number(QStringLiteral("^(?:[0-9]{12,}[Xx]?|0[0-9]+)$"));
    return number.match(text).hasMatch();
}

QString clipboardHtml(const QList<QStringList> &rows)
{
    bool anyMarked = false;
    QString table;
    for (const QStringList &row : rows) {
        table += QLatin1String("<tr>");
        for (const QString &cell : row) {
            if (needsTextFormat(cell)) {
                anyMarked = true;
                table += QLatin1String("<td style='mso-number-format:\"\\@\"' sdnum=\"1033;0;@\">");
            } else {
                table += QLatin1String("<td>");
            }
            table += cell.toHtmlEscaped() + QLatin1String("</td>");
        }
        table += QLatin1String("</tr>\n");
    }
    if (!anyMarked)
        return QString();
    return QLatin1String("<html><head><meta charset=\"utf-8\"></head><body>\n<!--StartFragment--><table>\n")
        + table + QLatin1String("</table><!--EndFragment-->\n</body></html>\n");
}
