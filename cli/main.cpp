// quorbel-sort: sorts records from files or standard input into spreadsheet text, with the desktop
// program's field file format and recognition engine.
#include "engine/analyze_text.h"
#include "engine/pattern_check.h"
#include "export/export_file.h"
#include "fields/field_file.h"
#include "fields/text_file.h"
#include "records/record_reader.h"
#include "records/spreadsheet_text.h"
#include "review/duplicate_rows.h"
#include "review/record_review.h"
#include "review/review_json.h"
#include "workspace/workspace.h"

#include <QCoreApplication>
#include <QDate>
#include <QFile>
#include <QLoggingCategory>

#include <cstdio>

#ifdef Q_OS_WIN
#include <fcntl.h>
#include <io.h>
#endif

namespace {

const char usageText[] = "usage: quorbel-sort [--fields FILE] [--header] [--whole | --lines] [--json] "
                         "[--verbose] [--xlsx OUT] [FILE...]\n";

const char helpText[] = "\n"
                        "Sorts records into fields and prints one TAB-separated line per record.\n"
                        "Records come from the FILEs in order, or from standard input when none is\n"
                        "given or for \"-\".\n"
                        "\n"
                        "  --fields FILE  field file to use (default: the desktop program's, in data/\n"
                        "                 beside this program or else in the user's data folder)\n"
                        "  --header       print the field names as the first line\n"
                        "  --whole        every input is one record (default: blocks between blank lines)\n"
                        "  --lines        every line that is not blank is one record\n"
                        "  --json         one JSON object per record: cells, suggested cells, left-over\n"
                        "                 tokens and review notes, a duplicate note naming an earlier\n"
                        "                 record that shares an ID number, mobile number or e-mail\n"
                        "  --verbose      write the engine's steps to standard error\n"
                        "  --xlsx OUT     write a workbook with a header row to OUT instead\n"
                        "  --help         print this help\n";

constexpr int exitOk = 0;
constexpr int exitFailure = 1;
constexpr int exitUsage = 2;

struct Options
{
    QString fieldsPath; // empty when not given
    QString xlsxPath; // empty when not given
    bool header = false;
    bool whole = false;
    bool lines = false;
    bool json = false;
    bool verbose = false;
    QStringList inputs;
};

void writeError(const QString &message)
{
    const QByteArray line = QByteArrayLiteral("quorbel-sort: ") + message.toUtf8() + '\n';
    std::fwrite(line.constData(), 1, size_t(line.size()), stderr);
}

void writeUsageError(const QString &message)
{
    writeError(message);
    std::fputs(usageText, stderr);
}

// Returns -1 to go on, otherwise the exit status.
int parseArguments(const QStringList &arguments, Options *options)
{
    bool optionsEnded = false;
    for (int i = 1; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (optionsEnded || argument == QLatin1String("-") || !argument.startsWith(QLatin1Char('-'))) {
            options->inputs.append(argument);
        } else if (argument == QLatin1String("--")) {
            optionsEnded = true;
        } else if (argument == QLatin1String("--help") || argument == QLatin1String("-h")) {
            std::fputs(usageText, stdout);
            std::fputs(helpText, stdout);
            return exitOk;
        } else if (argument == QLatin1String("--fields") || argument.startsWith(QLatin1String("--fields="))) {
            const bool separate = argument == QLatin1String("--fields") && i + 1 < arguments.size();
            options->fieldsPath = separate ? arguments.at(++i) : argument.mid(int(qstrlen("--fields=")));
            // Nothing after the option, or an empty name, which would silently mean the default file.
            if (options->fieldsPath.isEmpty()) {
                writeUsageError(QStringLiteral("option --fields needs a file name"));
                return exitUsage;
            }
        } else if (argument == QLatin1String("--xlsx") || argument.startsWith(QLatin1String("--xlsx="))) {
            const bool separate = argument == QLatin1String("--xlsx") && i + 1 < arguments.size();
            options->xlsxPath = separate ? arguments.at(++i) : argument.mid(int(qstrlen("--xlsx=")));
            if (options->xlsxPath.isEmpty()) {
                writeUsageError(QStringLiteral("option --xlsx needs a file name"));
                return exitUsage;
            }
        } else if (argument == QLatin1String("--header")) {
            options->header = true;
        } else if (argument == QLatin1String("--whole")) {
            options->whole = true;
        } else if (argument == QLatin1String("--lines")) {
            options->lines = true;
        } else if (argument == QLatin1String("--json")) {
            options->json = true;
        } else if (argument == QLatin1String("--verbose")) {
            options->verbose = true;
        } else {
            writeUsageError(QStringLiteral("unknown option: ") + argument);
            return exitUsage;
        }
    }
    if (options->whole && options->lines) {
        writeUsageError(QStringLiteral("--whole and --lines cannot be used together"));
        return exitUsage;
    }
    // A workbook holds cells, not review notes.
    if (options->json && !options->xlsxPath.isEmpty()) {
        writeUsageError(QStringLiteral("--json and --xlsx cannot be used together"));
        return exitUsage;
    }
    if (options->inputs.isEmpty())
        options->inputs.append(QStringLiteral("-"));
    return -1;
}

// The program's own debug lines are for --verbose only, whatever logging rules the environment sets.
bool verboseLogging = false;
QLoggingCategory::CategoryFilter previousFilter = nullptr;

void quorbelCategoryFilter(QLoggingCategory *category)
{
    if (previousFilter)
        previousFilter(category);
    if (qstrncmp(category->categoryName(), "quorbel.", 8) == 0)
        category->setEnabled(QtDebugMsg, verboseLogging);
}

// Straight to standard error, whatever logging back end Qt was built with.
void messageToStandardError(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    const QByteArray line = qFormatLogMessage(type, context, message).toUtf8() + '\n';
    std::fwrite(line.constData(), 1, size_t(line.size()), stderr);
}

bool loadFields(const QString &path, QList<FieldDef> *fields)
{
    if (!fileExists(path)) {
        writeError(QStringLiteral("field file not found: ") + path);
        return false;
    }
    QString errorText; // worded for the window's box; this program says it in its own words
    if (!readFieldFile(path, fields, &errorText)) {
        writeError(QStringLiteral("cannot read field file: ") + path);
        return false;
    }
    return true;
}

// A TAB or line end inside a field name would break the header line into more cells or lines.
QStringList headerCells(const QList<FieldDef> &fields)
{
    QStringList names = FieldCatalogue(fields).names();
    for (QString &name : names) {
        for (QChar &c : name) {
            if (c == QLatin1Char('\t') || c == QLatin1Char('\n') || c == QLatin1Char('\r'))
                c = QLatin1Char(' ');
        }
    }
    return names;
}

// Writes each row as soon as it is sorted, through the C library's buffer, so that memory follows
// the largest row and a terminal sees each row at once. A workbook is written whole at the end.
class RowWriter final
{
public:
    explicit RowWriter(const QString &xlsxPath)
        : m_xlsxPath(xlsxPath)
    { }

    void write(const QStringList &row)
    {
        if (!m_xlsxPath.isEmpty()) {
            m_rows.append(row);
            return;
        }
        write(spreadsheetText({ row }).toUtf8());
    }

    void write(const QByteArray &bytes)
    {
        if (std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout) != size_t(bytes.size()))
            m_failed = true;
    }

    bool finish(const QStringList &header)
    {
        if (!m_xlsxPath.isEmpty()) {
            QString reason;
            if (!exportTable(m_xlsxPath, ExportFormat::Xlsx, header, m_rows, &reason)) {
                writeError(QStringLiteral("cannot write ") + m_xlsxPath + QStringLiteral(": ") + reason);
                return false;
            }
            return true;
        }
        if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
            writeError(QStringLiteral("cannot write to standard output"));
            m_failed = true;
        }
        return !m_failed;
    }

private:
    QString m_xlsxPath;
    QList<QStringList> m_rows;
    bool m_failed = false;
};

// Windows opens the standard streams in text mode, which would end every line in CR LF and stop
// reading input at a Ctrl-Z byte; rows, records and messages pass through byte for byte as elsewhere.
void useBinaryStandardStreams()
{
#ifdef Q_OS_WIN
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
#endif
}

} // namespace

int main(int argc, char *argv[])
{
    useBinaryStandardStreams();
    QCoreApplication::setApplicationName(QStringLiteral("Quorbel")); // names the user's data folder
    QCoreApplication app(argc, argv);

    Options options;
    const int parsed = parseArguments(QCoreApplication::arguments(), &options);
    if (parsed >= 0)
        return parsed;

    qInstallMessageHandler(messageToStandardError);
    verboseLogging = options.verbose;
    previousFilter = QLoggingCategory::installFilter(quorbelCategoryFilter);

    // Without --fields, the file the window uses: data/ beside this program, or the user's folder.
    const QString fieldsPath = options.fieldsPath.isEmpty()
        ? chooseDataDirectory(QCoreApplication::applicationDirPath(), userDataDirectory())
            + QStringLiteral("fields.txt")
        : options.fieldsPath;
    QList<FieldDef> fields;
    if (!loadFields(fieldsPath, &fields))
        return exitFailure;
    for (const FieldDef &field : fields) {
        const QString note = options.verbose ? disabledPatternNote(field.pattern) : QString();
        if (!note.isEmpty())
            writeError(QStringLiteral("field ") + field.name + QStringLiteral(": ") + note);
    }

    int status = exitOk;
    RowWriter output(options.xlsxPath);
    const QStringList header = FieldCatalogue(fields).names();
    if (options.header && options.xlsxPath.isEmpty())
        options.json ? output.write(headerJsonLine(header)) : output.write(headerCells(fields));
    const QDate today = QDate::currentDate();
    const FieldFacts reviewFields = options.json ? fieldFacts(fields) : FieldFacts();
    // Over every input: records are counted from 0 across them all.
    DuplicateTracker duplicates(header);

    const RecordReader::Mode mode = options.whole ? RecordReader::Mode::Whole
        : options.lines                           ? RecordReader::Mode::Lines
                                                  : RecordReader::Mode::Blocks;
    for (const QString &input : options.inputs) {
        const bool isStandardInput = input == QLatin1String("-");
        QFile file(isStandardInput ? QString() : input);
        // Standard input by descriptor: Qt on Windows takes the end of a piped FILE* for a read error.
        const bool opened =
            isStandardInput ? file.open(fileno(stdin), QIODevice::ReadOnly) : file.open(QIODevice::ReadOnly);
        const QString inputName = isStandardInput ? QStringLiteral("standard input") : input;
        if (!opened) {
            writeError(QStringLiteral("cannot read ") + inputName + QStringLiteral(": ")
                       + file.errorString());
            status = exitFailure;
            continue;
        }
        RecordReader reader(&file, mode);
        QString record;
        while (reader.next(&record)) {
            if (options.json) {
                RecordReview review = reviewText(record, reviewFields, today);
                addDuplicateNotes(&review, duplicates.add(review.cells), header);
                output.write(reviewJsonLine(review));
            } else {
                output.write(analyzeText(record, fields));
            }
        }
        if (reader.failed()) {
            writeError(QStringLiteral("cannot read ") + inputName + QStringLiteral(": ")
                       + reader.errorString());
            status = exitFailure;
        }
    }

    if (!output.finish(header))
        status = exitFailure;
    return status;
}
