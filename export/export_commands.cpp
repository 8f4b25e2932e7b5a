// The export command and the clipboard's HTML: the file dialog, the boxes, and what goes on the clipboard.
#include "app/quorbel.h"

#include "export/clipboard_html.h"
#include "records/spreadsheet_text.h"

#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMessageBox>
#include <QMimeData>
#include <QStandardPaths>

void Quorbel::wireExport()
{
    connect(ui.exportAction, &QAction::triggered, this, [this] { exportTableAs(); });
}

QList<QStringList> Quorbel::tableRows() const
{
    return recordTable.cells(catalogue.size());
}

void Quorbel::putOnClipboard(const QList<QStringList> &rows)
{
    const QString text = spreadsheetText(rows);
    const QString html = clipboardHtml(rows);
    if (html.isEmpty()) {
        QGuiApplication::clipboard()->setText(text, QClipboard::Clipboard);
        return;
    }
    auto *data = new QMimeData;
    data->setText(text);
    data->setHtml(html);
    QGuiApplication::clipboard()->setMimeData(data, QClipboard::Clipboard);
}

void Quorbel::exportTableAs()
{
    const QString xlsxFilter = QStringLiteral("Excel 工作簿，长数字保留每一位 (*.xlsx)");
    const QString csvFilter = QStringLiteral("CSV 文件，表格软件打开时可能把长数字变成数值 (*.csv)");
    QFileDialog dialog(this, QStringLiteral("导出"));
    dialog.setAcceptMode(QFileDialog::AcceptSave); // which also asks before replacing a file
    dialog.setNameFilters({ xlsxFilter, csvFilter });
    dialog.setDefaultSuffix(QStringLiteral("xlsx"));
    connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog, csvFilter](const QString &filter) {
        dialog.setDefaultSuffix(filter == csvFilter ? QStringLiteral("csv") : QStringLiteral("xlsx"));
    });
    if (lastExportPath.isEmpty()) {
        // Documents when there is such a folder, else home, never the folder the program was started in.
        const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        dialog.setDirectory(QFileInfo(documents).isDir() ? documents : QDir::homePath());
        dialog.selectFile(QStringLiteral("表格.xlsx"));
    } else {
        dialog.selectFile(lastExportPath);
        if (exportFormatOf(lastExportPath, ExportFormat::Xlsx) == ExportFormat::Csv)
            dialog.selectNameFilter(csvFilter);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QString path = dialog.selectedFiles().constFirst();
    const ExportFormat chosen =
        dialog.selectedNameFilter() == csvFilter ? ExportFormat::Csv : ExportFormat::Xlsx;
    lastExportPath = path;
    exportTableTo(path, exportFormatOf(path, chosen));
}

bool Quorbel::exportTableTo(const QString &path, ExportFormat format)
{
    const QList<QStringList> rows = tableRows();
    QString reason;
    if (!exportTable(path, format, catalogue.names(), rows, &reason)) {
        QMessageBox::critical(
            this, QStringLiteral("导出"),
            QStringLiteral("导出失败\n路径：%1\n%2").arg(QDir::toNativeSeparators(path), reason),
            QMessageBox::Ok);
        return false;
    }
    markTableHandedOn();
    QMessageBox::information(this, QStringLiteral("导出"),
                             QStringLiteral("%1行%2列 已导出到\n%3")
                                 .arg(rows.size())
                                 .arg(catalogue.size())
                                 .arg(QDir::toNativeSeparators(path)),
                             QMessageBox::Ok);
    return true;
}
