// Writing the workbook with libxlsxwriter. The library only writes to a named file, so the workbook is
// made in a private temporary folder and read back; the caller puts the bytes in place in one step.
#include "export/xlsx_workbook.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#ifdef Q_OS_WIN
#include <qt_windows.h>
#endif

#include <xlsxwriter.h>

namespace {

bool isWide(uint c)
{
    // East Asian wide and full-width blocks: Hangul Jamo, CJK radicals to Yi, Hangul syllables,
    // compatibility ideographs, vertical and full-width forms, and the supplementary ideograph planes.
    return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF) || (c >= 0xAC00 && c <= 0xD7A3)
        || (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60)
        || (c >= 0xFFE0 && c <= 0xFFE6) || (c >= 0x20000 && c <= 0x3FFFD);
}

// The library takes char paths, which a Windows build may read in the ANSI code page; the folder's
// short name keeps them ASCII even under a user name in Chinese.
QByteArray libraryPath(const QString &folder)
{
#ifdef Q_OS_WIN
    wchar_t shortName[MAX_PATH];
    const DWORD length = GetShortPathNameW(
        reinterpret_cast<LPCWSTR>(QDir::toNativeSeparators(folder).utf16()), shortName, MAX_PATH);
    if (length > 0 && length < MAX_PATH)
        return QString::fromWCharArray(shortName, int(length)).toUtf8();
    return folder.toUtf8();
#else
    return QFile::encodeName(folder);
#endif
}

QString cellError(lxw_error error, int row, int column)
{
    if (error == LXW_ERROR_MAX_STRING_LENGTH_EXCEEDED)
        return QStringLiteral("第 %1 行第 %2 列超过 32767 个字符，xlsx 单元格放不下；可改为导出 CSV")
            .arg(row + 1)
            .arg(column + 1);
    return QStringLiteral("第 %1 行第 %2 列无法写入 xlsx：%3")
        .arg(row + 1)
        .arg(column + 1)
        .arg(QString::fromUtf8(lxw_strerror(error)));
}

// Writes every cell; the workbook is closed (and freed) by the caller whatever happens here.
bool writeSheet(lxw_workbook *workbook, const QStringList &header, const QList<QStringList> &rows,
                QString *errorText)
{
    lxw_worksheet *sheet = workbook_add_worksheet(workbook, nullptr);
    lxw_format *bold = workbook_add_format(workbook);
    format_set_bold(bold);
    if (rows.size() >= LXW_ROW_MAX || header.size() > LXW_COL_MAX) {
        *errorText = QStringLiteral("表格超出 xlsx 的上限（%1 行，%2 列）").arg(LXW_ROW_MAX).arg(LXW_COL_MAX);
        return false;
    }

    QVector<int> widths(header.size(), 0);
    auto put = [&](int row, int column, const QString &text, lxw_format *format) {
        if (column >= widths.size() || text.isEmpty())
            return true;
        widths[column] = qMax(widths.at(column), displayWidth(text));
        const lxw_error error = worksheet_write_string(sheet, lxw_row_t(row), lxw_col_t(column),
                                                       text.toUtf8().constData(), format);
        if (error != LXW_NO_ERROR)
            *errorText = cellError(error, row, column);
        return error == LXW_NO_ERROR;
    };
    for (int column = 0; column < header.size(); ++column) {
        if (!put(0, column, header.at(column), bold))
            return false;
    }
    for (int row = 0; row < rows.size(); ++row) {
        const QStringList &cells = rows.at(row);
        for (int column = 0; column < cells.size(); ++column) {
            if (!put(row + 1, column, cells.at(column), nullptr))
                return false;
        }
    }

    // A little room beside the text, and a cap so one long cell does not push the rest off screen.
    for (int column = 0; column < widths.size(); ++column)
        worksheet_set_column(sheet, lxw_col_t(column), lxw_col_t(column),
                             qBound(6, widths.at(column) + 2, 80), nullptr);
    worksheet_freeze_panes(sheet, 1, 0);
    return true;
}

} // namespace

int displayWidth(const QString &text)
{
    int width = 0;
    for (const uint c : text.toUcs4())
        width += isWide(c) ? 2 : 1;
    return width;
}

bool workbookBytes(const QStringList &header, const QList<QStringList> &rows, QByteArray *bytes,
                   QString *errorText)
{
    bytes->clear();
    QTemporaryDir folder;
    if (!folder.isValid()) {
        *errorText = QStringLiteral("无法创建临时文件夹：%1").arg(folder.errorString());
        return false;
    }
    const QString path = folder.filePath(QStringLiteral("table.xlsx"));
    // The library's own scratch files go there too, rather than wherever the C library puts them.
    QByteArray scratch = libraryPath(folder.path());
    lxw_workbook_options options = {};
    options.tmpdir = scratch.data();
    const QByteArray libraryFile = scratch + QByteArrayLiteral("/table.xlsx");
    lxw_workbook *workbook = workbook_new_opt(libraryFile.constData(), &options);
    if (!workbook) {
        *errorText = QStringLiteral("无法创建 xlsx 文件");
        return false;
    }
    const bool written = writeSheet(workbook, header, rows, errorText);
    const lxw_error closed = workbook_close(workbook);
    if (!written)
        return false;
    if (closed != LXW_NO_ERROR) {
        *errorText = QStringLiteral("无法写入 xlsx 文件：%1").arg(QString::fromUtf8(lxw_strerror(closed)));
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *errorText = QStringLiteral("无法读取临时文件：%1").arg(file.errorString());
        return false;
    }
    *bytes = file.readAll();
    return true;
}
