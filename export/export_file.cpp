// The file is replaced only by a complete export: the bytes are made first, then QSaveFile writes them
// beside the target and renames them over it.
#include "export/export_file.h"

#include "export/csv_text.h"
#include "export/xlsx_workbook.h"

#include <QFileInfo>
#include <QSaveFile>

ExportFormat exportFormatOf(const QString &path, ExportFormat chosen)
{
    const QString suffix = QFileInfo(path).suffix();
    if (suffix.compare(QLatin1String("csv"), Qt::CaseInsensitive) == 0)
        return ExportFormat::Csv;
    if (suffix.compare(QLatin1String("xlsx"), Qt::CaseInsensitive) == 0)
        return ExportFormat::Xlsx;
    return chosen;
}

bool exportTable(const QString &path, ExportFormat format, const QStringList &header,
                 const QList<QStringList> &rows, QString *errorText)
{
    QByteArray bytes;
    if (format == ExportFormat::Csv)
        bytes = csvBytes(header, rows);
    else if (!workbookBytes(header, rows, &bytes, errorText))
        return false;

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        *errorText = QStringLiteral("无法创建文件：%1").arg(file.errorString());
        return false;
    }
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        *errorText = QStringLiteral("无法写入文件：%1").arg(file.errorString());
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        *errorText = QStringLiteral("无法写入文件：%1").arg(file.errorString());
        return false;
    }
    return true;
}
