// Engine benchmark: the engine against the literal transcription of its rules on seeded generated
// data, each run in a child process of its own so that its peak memory is its own; then
// quorbel-sort as a process on the first data set. Prints its figures; asserts nothing.
#include "bench/literal_classifier.h"
#include "bench/sample_records.h"
#include "engine/analyze_text.h"
#include "records/spreadsheet_text.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

namespace {

constexpr quint32 seedRecords = 20240611;
constexpr quint32 seedFiftyFields = 20240612;
constexpr quint32 seedBigRecord = 20240613;
constexpr int bigRecordBytes = 1024 * 1024;

struct DataSet
{
    QList<FieldDef> fields;
    QStringList records;
    qint64 utf8Bytes = 0;
};

DataSet makeDataSet(char kind, int recordCount)
{
    DataSet data;
    if (kind == 'c') {
        SampleRecords sample(seedBigRecord);
        data.fields = presetFields();
        data.records.append(sample.bigRecord(bigRecordBytes));
    } else {
        SampleRecords sample(kind == 'a' ? seedRecords : seedFiftyFields, kind == 'b');
        data.fields = kind == 'a' ? presetFields() : fiftyFields();
        for (int i = 0; i < recordCount; ++i)
            data.records.append(sample.record());
    }
    for (const QString &record : data.records)
        data.utf8Bytes += record.toUtf8().size();
    return data;
}

// Kibibytes from a line of /proc/self/status such as "VmHWM:  12345 kB", or -1.
qint64 procStatusKiB(const char *key)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(key))
            return line.mid(int(qstrlen(key))).trimmed().split(' ').value(0).toLongLong();
    }
    return -1;
}

// Child: classify one data set with one engine, print "seconds peakKiB dataKiB checksum".
int runChild(char kind, const QString &engine, int recordCount)
{
    const DataSet data = makeDataSet(kind, recordCount);
    const qint64 dataKiB = procStatusKiB("VmRSS:");
    const bool literal = engine == QLatin1String("literal");

    QCryptographicHash checksum(QCryptographicHash::Sha1);
    QElapsedTimer timer;
    timer.start();
    for (const QString &record : data.records) {
        const RecordRow row =
            literal ? literalAnalyzeText(record, data.fields) : analyzeText(record, data.fields);
        checksum.addData(spreadsheetText({ row }).toUtf8());
    }
    const double seconds = timer.nsecsElapsed() / 1e9;
    std::printf("%.6f %lld %lld %s\n", seconds, procStatusKiB("VmHWM:"), dataKiB,
                checksum.result().toHex().left(16).constData());
    return 0;
}

struct Figures
{
    bool ok = false;
    double seconds = 0;
    double peakMiB = 0;
    double dataMiB = 0;
    QByteArray checksum;
};

Figures runInChild(const QString &self, char kind, const QString &engine, int recordCount)
{
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(self,
                { QStringLiteral("--child"), QString(QLatin1Char(kind)), engine, QStringLiteral("--records"),
                  QString::number(recordCount) });
    Figures figures;
    if (!child.waitForFinished(-1) || child.exitCode() != 0)
        return figures;
    const QList<QByteArray> parts = child.readAllStandardOutput().trimmed().split(' ');
    if (parts.size() != 4)
        return figures;
    figures.ok = true;
    figures.seconds = parts.at(0).toDouble();
    figures.peakMiB = parts.at(1).toDouble() / 1024;
    figures.dataMiB = parts.at(2).toDouble() / 1024;
    figures.checksum = parts.at(3);
    return figures;
}

void printRow(const char *label, const char *engine, int records, qint64 bytes, const Figures &f)
{
    std::printf("%-28s %-8s %10.1f %9.2f %10.2f %9.1f %9.1f\n", label, engine, records / f.seconds,
                bytes / f.seconds / 1e6, f.seconds, f.peakMiB, f.dataMiB);
}

// The file form of a record: blank lines inside would split it, so they go; its tokens stay the same.
QString withoutBlankLines(const QString &record)
{
    QStringList kept;
    for (const QString &line : record.split(QLatin1Char('\n'))) {
        if (std::any_of(line.cbegin(), line.cend(), [](QChar c) { return !c.isSpace(); }))
            kept.append(line);
    }
    return kept.join(QLatin1Char('\n'));
}

// Runs quorbel-sort with standard output to a file: wall seconds, and its peak RSS in MiB through
// GNU time when that is installed (-1 otherwise). GNU time forks from its own small image, so the
// figure is quorbel-sort's alone; a fork from this process would count the generated data too.
bool runSort(const QString &sortPath, const QStringList &arguments, const QString &outputPath,
             double *seconds, double *peakMiB)
{
    const QString gnuTime = QStringLiteral("/usr/bin/time");
    const QString statsPath = outputPath + QStringLiteral(".time");
    const bool measurePeak = QFileInfo(gnuTime).isExecutable();
    QProcess process;
    process.setStandardOutputFile(outputPath);
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QElapsedTimer timer;
    timer.start();
    if (measurePeak)
        process.start(gnuTime,
                      QStringList { QStringLiteral("-f"), QStringLiteral("%M"), QStringLiteral("-o"),
                                    statsPath, sortPath }
                          + arguments);
    else
        process.start(sortPath, arguments);
    if (!process.waitForFinished(-1))
        return false;
    *seconds = timer.nsecsElapsed() / 1e9;
    *peakMiB = -1;
    if (measurePeak) {
        QFile stats(statsPath);
        if (stats.open(QIODevice::ReadOnly))
            *peakMiB = stats.readAll().trimmed().split('\n').last().toDouble() / 1024; // KiB
    }
    return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

int runAll(const QString &self, const QString &sortPath, int recordCount, const QString &cases,
           const QString &keepDir)
{
    std::printf("seeded data: a = %d records over the 11 preset fields, b = %d records over 50 fields,\n"
                "c = one record of 1 MiB over the preset fields; MB = 10^6 bytes of UTF-8 input\n"
                "peak = VmHWM of the child process, data = its RSS after generating the input\n\n",
                recordCount, recordCount);
    std::printf("%-28s %-8s %10s %9s %10s %9s %9s\n", "case", "engine", "records/s", "MB/s", "seconds",
                "peak MiB", "data MiB");

    double literalSecondsA = 0;
    for (const QChar c : cases) {
        const char kind = char(c.toLatin1());
        const int count = kind == 'c' ? 1 : recordCount;
        const DataSet data = makeDataSet(kind, count);
        const char *label = kind == 'a' ? "a: 11 preset fields"
            : kind == 'b'               ? "b: 50 fields"
                                        : "c: 1 MiB record";
        const Figures literal = runInChild(self, kind, QStringLiteral("literal"), count);
        const Figures fast = runInChild(self, kind, QStringLiteral("fast"), count);
        if (!literal.ok || !fast.ok) {
            std::fprintf(stderr, "bench_engine: a child run failed\n");
            return 1;
        }
        printRow(label, "literal", data.records.size(), data.utf8Bytes, literal);
        printRow(label, "engine", data.records.size(), data.utf8Bytes, fast);
        std::printf("%-28s speed-up %.1fx, results %s\n", "", literal.seconds / fast.seconds,
                    literal.checksum == fast.checksum ? "identical" : "DIFFERENT");
        if (kind == 'a')
            literalSecondsA = literal.seconds;
    }

    if (literalSecondsA > 0) {
        QTemporaryDir temporary;
        const QDir dir(keepDir.isEmpty() ? temporary.path() : keepDir);
        const DataSet data = makeDataSet('a', recordCount);
        const QString fieldsPath = dir.filePath(QStringLiteral("fields.txt"));
        const QString inputPath = dir.filePath(QStringLiteral("records.txt"));
        const QString outputPath = dir.filePath(QStringLiteral("rows.txt"));
        {
            QFile fieldsFile(fieldsPath);
            QFile inputFile(inputPath);
            if (!fieldsFile.open(QIODevice::WriteOnly) || !inputFile.open(QIODevice::WriteOnly))
                return 1;
            QByteArray fieldText;
            for (const FieldDef &field : data.fields)
                fieldText += "<field><name>" + field.name.toUtf8() + "</name><pattern>"
                    + field.pattern.toUtf8() + "</pattern></field>";
            fieldsFile.write(fieldText);
            for (const QString &record : data.records)
                inputFile.write(withoutBlankLines(record).toUtf8() + "\n\n");
        }
        QList<QStringList> rows;
        for (const QString &record : data.records)
            rows.append(literalAnalyzeText(record, data.fields));
        const QByteArray expected = spreadsheetText(rows).toUtf8();
        const qint64 inputBytes = QFileInfo(inputPath).size();

        double seconds = 0;
        double peakMiB = 0;
        if (!runSort(sortPath, { QStringLiteral("--fields"), fieldsPath, inputPath }, outputPath, &seconds,
                     &peakMiB)) {
            std::fprintf(stderr, "bench_engine: quorbel-sort failed (%s)\n", qPrintable(sortPath));
            return 1;
        }
        QFile output(outputPath);
        output.open(QIODevice::ReadOnly);
        const bool same = output.readAll() == expected;
        std::printf("\nquorbel-sort process on a (%.1f MB file): %.1f records/s, %.2f MB/s, %.2f s, "
                    "peak RSS %.1f MiB\n",
                    inputBytes / 1e6, recordCount / seconds, inputBytes / seconds / 1e6, seconds, peakMiB);
        std::printf("  %.1fx faster than the literal engine on a; output %s the literal engine's rows\n",
                    literalSecondsA / seconds, same ? "byte for byte equal to" : "DIFFERS from");
    }
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    // The engine's debug lines would cost more than the work they describe.
    QLoggingCategory::setFilterRules(QStringLiteral("quorbel.*.debug=false"));
    const QStringList arguments = QCoreApplication::arguments();
    int recordCount = 100000;
    QString sortPath = QStringLiteral(QUORBEL_SORT_PATH);
    QString cases = QStringLiteral("abc");
    QString keepDir; // where the quorbel-sort files stay, for running it by hand
    for (int i = 1; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (argument == QLatin1String("--records") && i + 1 < arguments.size()) {
            recordCount = arguments.at(++i).toInt();
        } else if (argument == QLatin1String("--sort") && i + 1 < arguments.size()) {
            sortPath = arguments.at(++i);
        } else if (argument == QLatin1String("--keep") && i + 1 < arguments.size()) {
            keepDir = arguments.at(++i);
        } else if (argument == QLatin1String("--cases") && i + 1 < arguments.size()) {
            cases = arguments.at(++i);
        } else if (argument == QLatin1String("--child") && i + 2 < arguments.size()) {
            const char kind = char(arguments.at(i + 1).at(0).toLatin1());
            const QString engine = arguments.at(i + 2);
            i += 2;
            for (int j = i + 1; j + 1 < arguments.size(); ++j) {
                if (arguments.at(j) == QLatin1String("--records"))
                    recordCount = arguments.at(j + 1).toInt();
            }
            return runChild(kind, engine, recordCount);
        } else {
            std::fprintf(stderr,
                         "usage: bench_engine [--records N] [--cases abc] [--sort PATH] [--keep DIR]\n");
            return 2;
        }
    }
    if (recordCount <= 0 || cases.isEmpty())
        return 2;
    return runAll(QCoreApplication::applicationFilePath(), sortPath, recordCount, cases, keepDir);
}
