// CSV as the common spreadsheets read it.
#include "export/csv_text.h"

namespace {

void appendLine(QString *text, const QStringList &cells)
{
    for (int i = 0; i < cells.size(); ++i) {
        if (i > 0)
            *text += QLatin1Char(',');
        const QString &cell = cells.at(i);
        const bool quoted = cell.contains(QLatin1Char(',')) || cell.contains(QLatin1Char('"'))
            || cell.contains(QLatin1Char('\n')) || cell.contains(QLatin1Char('\r'));
        if (quoted) {
            QString doubled = cell;
            doubled.replace(QLatin1Char('"'), QLatin1String("\"\""));
            *text += QLatin1Char('"') + doubled + QLatin1Char('"');
        } else {
            *text += cell;
        }
    }
    *text += QLatin1String("\r\n");
}

} // namespace

QByteArray csvBytes(const QStringList &header, const QList<QStringList> &rows)
{
    QString text;
    appendLine(&text, header);
    for (const QStringList &row : rows)
        appendLine(&text, row);
    return QByteArrayLiteral("\xEF\xBB\xBF") + text.toUtf8();
}
