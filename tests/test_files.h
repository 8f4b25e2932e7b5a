// Whole files as bytes, for tests that check exactly what is on disk.
#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>

namespace TestFiles {

// The file's bytes, or a marker no field file or record could hold when it cannot be read.
inline QByteArray bytesOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

// Writes exactly these bytes, making the folders on the way; false when that fails.
inline bool putBytes(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace TestFiles

#include <QProcess>

namespace TestFiles {

// A workbook as an independent reader (openpyxl) sees it: one line per row, cells joined by TAB, then
// a line with the filled cells' types ("s" is string), the header's bold flags, the frozen cell and
// the column widths. Empty, with the reason in *missing, when no Python has openpyxl.
inline QByteArray workbookText(const QString &path, QString *missing)
{
    static const char script[] = R"(import sys, openpyxl
sys.stdout.reconfigure(encoding="utf-8")
ws = openpyxl.load_workbook(sys.argv[1]).active
for r in ws.iter_rows(): print("\t".join("" if c.value is None else str(c.value) for c in r))
print("types", *sorted({c.data_type for r in ws.iter_rows() for c in r if c.value is not None}),
      "bold", *[c.font.b for c in ws[1]], "freeze", ws.freeze_panes,
      "widths", *[round(d.width) for d in ws.column_dimensions.values()]))";
    for (const QString &python : { QStringLiteral("python3"), QStringLiteral("/usr/bin/python3") }) {
        QProcess process;
        process.start(python, { QStringLiteral("-c"), QStringLiteral("import openpyxl") });
        if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit
            || process.exitCode() != 0)
            continue;
        // From here a failure is the workbook's, and shows as output the test does not expect.
        process.start(python, { QStringLiteral("-c"), QString::fromUtf8(script), path });
        process.waitForFinished(60000);
        return process.readAllStandardOutput() + process.readAllStandardError();
    }
    *missing = QStringLiteral("no python3 with openpyxl (Debian: python3-openpyxl); workbook not read back");
    return QByteArray();
}

} // namespace TestFiles
