// Review benchmark: how many generated pastes today's rules get fully right, how many the
// suggestions get right, how many errors stay silent, how many right rows still carry a note; then
// the cost of quorbel-sort --json against its plain output. Prints its figures; asserts nothing.
#include "bench/sample_pastes.h"
#include "engine/analyze_text.h"
#include "engine/record_classifier.h"
#include "fields/field_file.h"
#include "review/record_review.h"
#include "review/review_json.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>

namespace {

struct Counts
{
    int records = 0;
    int cellsRight = 0;
    int suggestedRight = 0;
    int silent = 0;
    int wrong = 0; // records with a wrong or missing cell
    int noisy = 0;
    int faultyNoisy = 0; // of the noisy: a value in the paste itself breaks its check
    QVector<int> wrongCells, silentCells;
};

bool noted(const RecordReview &review, int field)
{
    for (const ReviewNote &note : review.notes) {
        if (note.field == field)
            return true;
    }
    return false;
}

bool amongLeftover(const RecordReview &review, const QString &value)
{
    for (const QString &token : review.leftover) {
        if (token.contains(value))
            return true;
    }
    return false;
}

void measureQuality(int count, int show, const QString &showWhat)
{
    const QDate today = QDate::currentDate();
    const QList<FieldDef> fields = reviewFields();
    SamplePastes pastes(20261207, today);
    Counts c;
    c.wrongCells.fill(0, fields.size());
    c.silentCells.fill(0, fields.size());
    for (int i = 0; i < count; ++i) {
        const SamplePaste paste = pastes.next();
        const RecordReview review = reviewText(paste.text, fields, today);
        ++c.records;
        const bool right = review.cells == paste.truth;
        c.cellsRight += right;
        c.suggestedRight += review.suggested == paste.truth;
        if (right && !review.notes.isEmpty()) {
            ++c.noisy;
            c.faultyNoisy += paste.faulty;
        }
        bool silent = false;
        for (int f = 0; f < fields.size(); ++f) {
            if (review.cells.at(f) == paste.truth.at(f))
                continue;
            ++c.wrongCells[f];
            if (!noted(review, f)
                && !(review.cells.at(f).isEmpty() && amongLeftover(review, paste.truth.at(f)))) {
                ++c.silentCells[f];
                silent = true;
            }
        }
        c.wrong += !right;
        c.silent += silent;
        const bool interesting = showWhat == QLatin1String("silent") ? silent
            : showWhat == QLatin1String("noise")                     ? right && !review.notes.isEmpty()
                                                                     : review.suggested != paste.truth;
        if (interesting && show > 0) {
            --show;
            std::printf("--- %s\n",
                        qPrintable(QString(paste.text).replace(QLatin1Char('\n'), QStringLiteral("⏎"))));
            std::printf("truth:     %s\ncells:     %s\nsuggested: %s\nleftover:  %s\n",
                        qPrintable(paste.truth.join(QLatin1Char('|'))),
                        qPrintable(review.cells.join(QLatin1Char('|'))),
                        qPrintable(review.suggested.join(QLatin1Char('|'))),
                        qPrintable(review.leftover.join(QLatin1Char('|'))));
            for (const ReviewNote &note : review.notes)
                std::printf("  [%d %s] %s\n", note.field, noteKindName(note.kind), qPrintable(note.text));
        }
    }
    const double n = c.records / 100.0;
    std::printf("%d generated pastes over %d fields\n", c.records, int(fields.size()));
    std::printf("cells fully right (today's rules):   %5.1f %%\n", c.cellsRight / n);
    std::printf("suggested fully right:               %5.1f %%\n", c.suggestedRight / n);
    std::printf("silent errors (share of all records): %5.1f %%  (%d of %d records with a wrong cell)\n",
                c.silent / n, c.silent, c.wrong);
    std::printf("noise (right rows with a note):      %5.1f %%  (%d of %d right rows; %d of them hold a "
                "faulty value)\n",
                c.noisy * 100.0 / qMax(1, c.cellsRight), c.noisy, c.cellsRight, c.faultyNoisy);
    std::printf("wrong / silent cells by field:");
    for (int f = 0; f < fields.size(); ++f)
        std::printf(" %s %d/%d", qPrintable(fields.at(f).name), c.wrongCells[f], c.silentCells[f]);
    std::printf("\n");
}

double timeSort(const QStringList &arguments, const QString &outputPath)
{
    double best = 1e9;
    for (int run = 0; run < 3; ++run) {
        QProcess process;
        process.setStandardOutputFile(outputPath);
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        QElapsedTimer timer;
        timer.start();
        process.start(QStringLiteral(QUORBEL_SORT_PATH), arguments);
        if (!process.waitForFinished(-1) || process.exitCode() != 0)
            return -1;
        best = qMin(best, timer.nsecsElapsed() / 1e9);
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
    const double plain = timeSort(common, dir.filePath(QStringLiteral("plain.out")));
    const double json =
        timeSort(QStringList { QStringLiteral("--json") } + common, dir.filePath(QStringLiteral("json.out")));
    std::printf("quorbel-sort on %d pastes (%.1f MB), best of 3: plain %.2f s, --json %.2f s, ratio %.2f\n",
                count, QFileInfo(inputPath).size() / 1e6, plain, json, json / plain);
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
    bool keep = false; // keep quorbel-sort's files, for running it by hand
    const QStringList arguments = QCoreApplication::arguments();
    for (int i = 1; i < arguments.size(); i += 2) {
        if (arguments.at(i) == QLatin1String("--keep")) {
            keep = true;
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
    }
    measureQuality(records, show, showWhat);
    if (cost > 0)
        measureCost(cost, keep);
    return 0;
}
