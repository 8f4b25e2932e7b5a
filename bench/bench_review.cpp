// Review benchmark: on generated pastes whose right rows are known, how many records the review
// leaves wrong without a word (silent), how many right records it still notes (noise), how many
// suggested rows are right, and that its cells stay the rules' row; then the cost of
// quorbel-sort --json against its plain output. Prints its figures; asserts nothing.
#include "bench/review_quality.h"
#include "bench/sample_pastes.h"
#include "bench/varied_pastes.h"
#include "engine/analyze_text.h"
#include "engine/record_classifier.h"
#include "fields/field_file.h"
#include "review/record_review.h"
#include "review/review_json.h"
#include "review/word_lists.h"

#include <QCoreApplication>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTextStream>

#include <cstdio>

#include <sys/resource.h>

namespace {

void measureHalf(Half half, const QDate &today, int records, int show, const QString &showWhat)
{
    VariedPastes pastes(20261208, half, today);
    ReviewTally t;
    QList<FieldDef> current;
    int unseen = 0; // values whose written form is not in their paste: a fault of the generator
    for (int i = 0; i < records; ++i) {
        const VariedPaste paste = pastes.next();
        for (const QString &written : paste.written)
            unseen += !paste.text.contains(written);
        if (i == 0 || paste.fields != current) {
            current = paste.fields;
            ++t.fieldLists;
            t.fieldCount += current.size();
        }
        countReview({ paste.text, paste.fields, paste.kinds, paste.truth, paste.alsoRight, paste.written,
                      paste.traits },
                    today, &t, &show, showWhat);
    }
    printTally(halfName(half), t);
    if (unseen > 0)
        std::printf("generator fault: %d values are not in their pastes as written\n", unseen);
}

// The first generator: twelve fixed fields, the preset names and their vocabulary.
void measureClassic(const QDate &today, int records, int show, const QString &showWhat)
{
    const QList<FieldDef> fields = reviewFields();
    QStringList kinds;
    for (const FieldDef &field : fields)
        kinds.append(field.name);
    SamplePastes pastes(20261207, today);
    ReviewTally t;
    for (int i = 0; i < records; ++i) {
        const SamplePaste paste = pastes.next();
        QStringList none;
        for (int f = 0; f < fields.size(); ++f)
            none.append(QString());
        countReview(
            { paste.text, fields, kinds, paste.truth, none, paste.truth, paste.faulty ? FaultyValue : 0u },
            today, &t, &show, showWhat);
    }
    printTally("classic (fixed fields)", t);
}

// The words of the program's own data files (every resource outside the bench's), split at spaces
// and punctuation, so that a held-out word that found its way into them shows.
QSet<QString> productWords()
{
    // The word lists load their resources on first use.
    isFillerWord(QString());
    startsWithCommonSurname(QString());
    QSet<QString> words;
    const QRegularExpression cut(QStringLiteral("[\\s,，;；:：=|/()（）【】\\[\\]]+"));
    QDirIterator files(QStringLiteral(":/"), QDir::Files, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString path = files.next();
        if (path.startsWith(QLatin1String(":/bench/")) || path.startsWith(QLatin1String(":/qt-project.org/")))
            continue;
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            continue;
        QTextStream in(&file);
        in.setCodec("utf-8");
        while (!in.atEnd()) {
            const QString line = in.readLine();
            if (line.startsWith(QLatin1Char('#')))
                continue;
            for (const QString &word : line.split(cut, Qt::SkipEmptyParts))
                words.insert(word);
        }
    }
    return words;
}

// Per half, how many of its words the program's data files hold: the held-out half is only held out
// while that stays near nothing. Forms and patterns are no vocabulary; given names are single characters.
void printVocabulary()
{
    const QSet<QString> product = productWords();
    const QStringList keyed { QStringLiteral("labels"), QStringLiteral("field_names") };
    std::printf("vocabulary found in the program's data files (%d words):\n", int(product.size()));
    for (const Half half : { Half::Taught, Half::HeldOut }) {
        const Vocabulary vocabulary(half);
        int total = 0;
        QStringList found;
        for (const QString &list : Vocabulary::listNames()) {
            if (list.endsWith(QLatin1String("_forms")) || list == QLatin1String("patterns")
                || list == QLatin1String("given_names"))
                continue;
            for (QString word : vocabulary.words(list)) {
                if (keyed.contains(list))
                    word = word.mid(word.indexOf(QLatin1Char(' ')) + 1);
                ++total;
                if (product.contains(word))
                    found.append(list + QLatin1Char(':') + word);
            }
        }
        std::printf("  %-8s %d of %d: %s\n", halfName(half), int(found.size()), total,
                    qPrintable(found.join(QLatin1Char(' '))));
    }
}

// Wall-clock and CPU seconds of one run; the machine may be shared, so the CPU time is the figure to read.
struct Timing
{
    double wall = 1e9;
    double cpu = 1e9;
};

double childrenCpuSeconds()
{
    rusage usage {};
    getrusage(RUSAGE_CHILDREN, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec
        + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// Best of three runs, wall-clock and CPU time each; a negative wall time when a run failed.
Timing timeSort(const QStringList &arguments, const QString &outputPath)
{
    Timing best;
    for (int run = 0; run < 3; ++run) {
        QProcess process;
        process.setStandardOutputFile(outputPath);
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        const double cpuBefore = childrenCpuSeconds();
        QElapsedTimer timer;
        timer.start();
        process.start(QStringLiteral(QUORBEL_SORT_PATH), arguments);
        if (!process.waitForFinished(-1) || process.exitCode() != 0)
            return { -1, -1 };
        best.wall = qMin(best.wall, timer.nsecsElapsed() / 1e9);
        best.cpu = qMin(best.cpu, childrenCpuSeconds() - cpuBefore);
    }
    return best;
}

void measureCost(int count, bool keep)
{
    QTemporaryDir dir;
    dir.setAutoRemove(!keep);
    if (keep)
        std::printf("files kept in %s\n", qPrintable(dir.path()));
    const QString fieldsPath = dir.filePath(QStringLiteral("fields.txt"));
    const QString inputPath = dir.filePath(QStringLiteral("pastes.txt"));
    QFile fieldsFile(fieldsPath);
    QFile input(inputPath);
    if (!fieldsFile.open(QIODevice::WriteOnly) || !input.open(QIODevice::WriteOnly))
        return;
    fieldsFile.write(fieldsToText(reviewFields()).toUtf8());
    fieldsFile.close();
    SamplePastes pastes(7, QDate::currentDate());
    for (int i = 0; i < count; ++i)
        input.write(pastes.next().text.toUtf8() + "\n\n");
    input.close();
    // In process, record by record as quorbel-sort --json goes: where the time goes.
    {
        const QList<FieldDef> fields = reviewFields();
        SamplePastes again(7, QDate::currentDate());
        QStringList texts;
        for (int i = 0; i < count; ++i)
            texts.append(again.next().text);
        const QDate today = QDate::currentDate();
        QElapsedTimer timer;
        timer.start();
        qint64 size = 0;
        for (const QString &text : qAsConst(texts))
            size += analyzeText(text, fields).size();
        const qint64 alone = timer.nsecsElapsed();
        qint64 classify = 0;
        qint64 review = 0;
        qint64 json = 0;
        for (const QString &text : qAsConst(texts)) {
            timer.restart();
            const RecordClassifier classifier(text, fields);
            const ReviewInput input {
                fields, classifier.result(), classifier.labelledFields(), classifier.leftoverTokens(), {},
                text
            };
            classify += timer.nsecsElapsed();
            timer.restart();
            const RecordReview reviewed = reviewRecord(input, today);
            review += timer.nsecsElapsed();
            timer.restart();
            size += reviewJsonLine(reviewed).size();
            json += timer.nsecsElapsed();
        }
        const double perRecord = 1e3 * count;
        std::printf("in process, per record: classify %.2f us (%.2f us alone), review %.2f us, JSON line "
                    "%.2f us (%lld)\n",
                    classify / perRecord, alone / perRecord, review / perRecord, json / perRecord, size);
    }
    const QStringList common { QStringLiteral("--fields"), fieldsPath, inputPath };
    const Timing plain = timeSort(common, dir.filePath(QStringLiteral("plain.out")));
    const Timing json =
        timeSort(QStringList { QStringLiteral("--json") } + common, dir.filePath(QStringLiteral("json.out")));
    std::printf("quorbel-sort on %d pastes (%.1f MB), best of 3: plain %.2f s (CPU %.2f s), --json %.2f s "
                "(CPU %.2f s), ratio %.2f (CPU %.2f)\n",
                count, QFileInfo(inputPath).size() / 1e6, plain.wall, plain.cpu, json.wall, json.cpu,
                json.wall / plain.wall, json.cpu / plain.cpu);
}

// Every review as its JSON line and its narrow-pattern flags, for a before/after comparison of two
// builds: the varied pastes of both halves (field lists changing every 25 records), then the first
// generator's.
void dumpReviews(const QString &path, const QDate &today, int records)
{
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly)) {
        std::fprintf(stderr, "bench_review: cannot write %s\n", qPrintable(path));
        return;
    }
    const auto write = [&out](const RecordReview &review) {
        QByteArray narrow;
        for (const bool flag : review.narrowPattern)
            narrow += flag ? '1' : '0';
        out.write(narrow + ' ' + reviewJsonLine(review));
    };
    for (const Half half : { Half::Taught, Half::HeldOut }) {
        VariedPastes pastes(20261208, half, today);
        for (int i = 0; i < records; ++i) {
            const VariedPaste paste = pastes.next();
            write(reviewText(paste.text, paste.fields, today));
        }
    }
    const QList<FieldDef> fields = reviewFields();
    SamplePastes pastes(20261207, today);
    for (int i = 0; i < records; ++i)
        write(reviewText(pastes.next().text, fields, today));
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QLoggingCategory::setFilterRules(QStringLiteral("quorbel.*.debug=false"));
    int records = 5000;
    int cost = 100000;
    int show = 0;
    QString showWhat; // silent, noise, or else the rows whose suggestions are not right
    QString halves; // taught, held-out or classic; both halves when not given
    bool keep = false; // keep quorbel-sort's files, for running it by hand
    // The pastes and the review's date checks hang on the day: a fixed one makes runs repeat.
    QDate today(2026, 12, 1);
    bool vocabulary = false; // say which generated words the program's data files hold
    QString dumpPath; // write every review there instead of measuring
    const QStringList arguments = QCoreApplication::arguments();
    for (int i = 1; i < arguments.size(); i += 2) {
        if (arguments.at(i) == QLatin1String("--keep")) {
            keep = true;
            --i;
        } else if (arguments.at(i) == QLatin1String("--vocabulary")) {
            vocabulary = true;
            --i;
        } else if (i + 1 == arguments.size()) {
            break;
        } else if (arguments.at(i) == QLatin1String("--records"))
            records = arguments.at(i + 1).toInt();
        else if (arguments.at(i) == QLatin1String("--cost"))
            cost = arguments.at(i + 1).toInt();
        else if (arguments.at(i) == QLatin1String("--show"))
            show = arguments.at(i + 1).toInt();
        else if (arguments.at(i) == QLatin1String("--what"))
            showWhat = arguments.at(i + 1);
        else if (arguments.at(i) == QLatin1String("--today"))
            today = QDate::fromString(arguments.at(i + 1), Qt::ISODate);
        else if (arguments.at(i) == QLatin1String("--half"))
            halves = arguments.at(i + 1);
        else if (arguments.at(i) == QLatin1String("--dump"))
            dumpPath = arguments.at(i + 1);
    }
    if (!today.isValid()) {
        std::fprintf(stderr, "bench_review: --today takes a date such as 2026-12-01\n");
        return 2;
    }
    if (!dumpPath.isEmpty()) {
        dumpReviews(dumpPath, today, records);
        return 0;
    }
    Half half = Half::HeldOut;
    if (vocabulary)
        printVocabulary();
    if (halves == QLatin1String("classic")) {
        measureClassic(today, records, show, showWhat);
    } else if (halfFromName(halves, &half)) {
        measureHalf(half, today, records, show, showWhat);
    } else if (halves.isEmpty()) {
        // Examples come from the held-out half, the one the figures are judged on.
        measureHalf(Half::Taught, today, records, 0, showWhat);
        measureHalf(Half::HeldOut, today, records, show, showWhat);
    } else {
        std::fprintf(stderr, "bench_review: --half takes taught, held-out or classic\n");
        return 2;
    }
    if (cost > 0)
        measureCost(cost, keep);
    return 0;
}
