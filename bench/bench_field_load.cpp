// Start-up with a very large field file: reading it, the window shown with it, and quorbel-sort on
// one record with it. Prints its figures; not part of the test suite.
#include "app/quorbel.h"
#include "fields/field_file.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QtWidgets>

#include <cstdio>
#include <ctime>

namespace {

double seconds(const QElapsedTimer &t)
{
    return double(t.nsecsElapsed()) / 1e9;
}

// Processor time of this process: on a shared machine the wall clock also counts others' work.
double cpuSeconds()
{
    return double(std::clock()) / CLOCKS_PER_SEC;
}

// Distinct names and patterns, about 63 bytes a field, as a user's generated catalogue might be.
QByteArray bigFieldFile(int count)
{
    QList<FieldDef> fields;
    fields.reserve(count);
    for (int i = 0; i < count; ++i)
        fields.append({ QStringLiteral("字段%1").arg(i, 6, 10, QLatin1Char('0')),
                        QStringLiteral("%1\\d{%2}$").arg(QLatin1Char(i % 2 ? 'b' : 'a')).arg(i % 9 + 1) });
    return fieldsToText(fields).toUtf8();
}

bool putBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QLoggingCategory::setFilterRules(QStringLiteral("quorbel.*.debug=false"));

    const int count = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 330000;
    const QString dataDir = QCoreApplication::applicationDirPath() + QStringLiteral("/data/");
    QDir(dataDir).removeRecursively();
    QDir().mkpath(dataDir);
    const QString path = dataDir + QStringLiteral("fields.txt");
    const QByteArray bytes = bigFieldFile(count);
    if (!putBytes(path, bytes))
        return 1;
    std::printf("field file: %d fields, %.1f MB\n", count, bytes.size() / 1e6);

    QElapsedTimer timer;
    timer.start();
    QList<FieldDef> fields;
    QString errorText;
    if (!readFieldFile(path, &fields, &errorText) || fields.size() != count)
        return 1;
    std::printf("readFieldFile: %.3f s\n", seconds(timer));

    timer.restart();
    const double cpuBefore = cpuSeconds();
    {
        Quorbel window;
        const double built = seconds(timer);
        window.show();
        QCoreApplication::processEvents();
        std::printf("window constructed: %.3f s, shown and painted: %.3f s (processor %.3f s)\n", built,
                    seconds(timer), cpuSeconds() - cpuBefore);
        if (window.fieldCatalogue().size() != count)
            return 1;
    }

    QFile record(dataDir + QStringLiteral("record.txt"));
    if (!record.open(QIODevice::WriteOnly) || record.write("姓名 张三 手机号 13800138000\n") < 0)
        return 1;
    record.close();
    QProcess sort;
    sort.setStandardOutputFile(QProcess::nullDevice());
    timer.restart();
    sort.start(QStringLiteral(QUORBEL_SORT_PATH), { QStringLiteral("--fields"), path, record.fileName() });
    if (!sort.waitForFinished(-1) || sort.exitCode() != 0)
        return 1;
    std::printf("quorbel-sort, one record: %.3f s\n", seconds(timer));

    QDir(dataDir).removeRecursively();
    return 0;
}
