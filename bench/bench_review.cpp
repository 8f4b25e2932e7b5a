// Review benchmark: on generated pastes whose right rows are known, how many records the review
// leaves wrong without a word (silent), how many right records it still notes (noise), how many
// suggested rows are right, and that its cells stay the rules' row; then the cost of
// quorbel-sort --json against its plain output. Prints its figures; asserts nothing.
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
#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTextStream>

#include <cstdio>

#include <sys/resource.h>

namespace {

QString halfWidthDigits(QString text)
{
    for (QChar &c : text) {
        if (c.unicode() >= 0xFF01 && c.unicode() <= 0xFF5E)
            c = QChar(c.unicode() - 0xFEE0);
    }
    return text;
}

// One generated paste, whichever generator made it.
struct Sample
{
    QString text;
    QList<FieldDef> fields;
    QStringList kinds; // per field, for the figures by kind
    QStringList truth;
    QStringList alsoRight; // per field: a full-width form that also counts as right, or empty
    QStringList written; // per field: the value as it stands in the paste
    uint traits = 0;
};

struct Rate
{
    int of = 0;
    int count = 0;
    double percent() const { return of ? 100.0 * count / of : 0.0; }
};

struct Tally
{
    int records = 0;
    int fieldLists = 0;
    int fieldCount = 0;
    int cellsEqual = 0; // review cells equal to the rules' row
    int cellsRight = 0;
    int suggestedRight = 0;
    int silent = 0;
    int wrong = 0; // records with a wrong or missing cell
    int noisy = 0;
    int faultyNoisy = 0; // of the noisy: a value as pasted breaks its check, or is an old ID number
    QMap<QString, Rate> wrongCells, silentCells; // by kind: of the cells, the wrong; of the wrong, the silent
    QMap<QString, int> noisyNotes; // on fully right records, by kind and note kind
    QMap<QString, int> silentFaults; // silent cells by what went wrong
    Rate traitSilent[pasteTraitCount], traitSuggested[pasteTraitCount];
};

bool noted(const RecordReview &review, int field)
{
    for (const ReviewNote &note : review.notes) {
        if (note.field == field)
            return true;
    }
    return false;
}

// The window shows the left-over tokens: a missing value is in sight when each of its pieces is.
bool amongLeftover(const RecordReview &review, const QString &written)
{
    if (written.isEmpty())
        return false;
    const QStringList pieces = written.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    return std::all_of(pieces.cbegin(), pieces.cend(), [&review](const QString &piece) {
        return std::any_of(review.leftover.cbegin(), review.leftover.cend(),
                           [&piece](const QString &token) { return token.contains(piece); });
    });
}

// Every label word and field name the generator writes, of both halves: a cell holding one holds no value.
bool isLabelWord(const QString &text)
{
    static const QSet<QString> words = [] {
        QSet<QString> all;
        for (const Half half : { Half::Taught, Half::HeldOut }) {
            const Vocabulary vocabulary(half);
            for (const QString &list : { QStringLiteral("labels"), QStringLiteral("field_names") }) {
                for (const QString &line : vocabulary.words(list))
                    all.insert(line.mid(line.indexOf(QLatin1Char(' ')) + 1));
            }
        }
        return all;
    }();
    QString bare = text;
    bare.remove(QRegularExpression(QStringLiteral("^[【\\[(（]|[】\\])）:：=]$")));
    return words.contains(bare);
}

// What a silent cell shows, roughly, in the order the checks are made: the kind of fault to look for.
QString silentFault(const Sample &sample, const RecordReview &review, int field)
{
    const QString &cell = review.cells.at(field);
    const QString &truth = sample.truth.at(field);
    if (cell.isEmpty()) {
        const QString &written = sample.written.at(field);
        for (const QString &other : review.cells) {
            if (!other.isEmpty() && other.contains(written))
                return QStringLiteral("value missing, inside another field's cell");
        }
        return QStringLiteral("value missing, out of sight");
    }
    if (isLabelWord(cell))
        return QStringLiteral("a label word as the value");
    if (std::any_of(cell.cbegin(), cell.cend(), [](QChar c) {
            return c.category() == QChar::Other_Format || c.unicode() == 0xA0 || c.unicode() == 0x3000;
        }))
        return QStringLiteral("values glued by an invisible character");
    if (QRegularExpression(QStringLiteral("^\\d{1,2}[.、]")).match(cell).hasMatch())
        return QStringLiteral("list numbering glued to the value");
    if (!truth.isEmpty() && cell.contains(truth) && cell != truth) {
        for (const QString &word : cell.split(truth)) {
            if (isLabelWord(word))
                return QStringLiteral("a label glued to the value");
        }
        return QStringLiteral("the value glued to more text");
    }
    if (sample.truth.contains(cell) || sample.written.contains(cell))
        return truth.isEmpty() ? QStringLiteral("another field's value, the field empty in truth")
                               : QStringLiteral("another field's value");
    if (sample.traits & SpreadsheetRow)
        return QStringLiteral("a spreadsheet row's header word");
    if (!truth.isEmpty() && halfWidthDigits(cell) == truth)
        return QStringLiteral("full-width forms");
    return truth.isEmpty() ? QStringLiteral("a word of no field") : QStringLiteral("another text");
}

bool suggestionRight(const Sample &sample, const RecordReview &review)
{
    for (int f = 0; f < sample.truth.size(); ++f) {
        const QString &value = review.suggested.at(f);
        if (value != sample.truth.at(f)
            && (sample.alsoRight.at(f).isEmpty() || value != sample.alsoRight.at(f)))
            return false;
    }
    return true;
}

void printSample(const Sample &sample, const RecordReview &review)
{
    const auto line = [](const QStringList &cells) {
        return QStringList(cells)
            .replaceInStrings(QStringLiteral("\n"), QStringLiteral("⏎"))
            .join(QLatin1Char('|'))
            .toUtf8();
    };
    QStringList names;
    for (const FieldDef &field : sample.fields)
        names.append(field.name + QLatin1Char('=') + field.pattern);
    QString text = sample.text;
    text.replace(QLatin1Char('\n'), QStringLiteral("⏎")).replace(QLatin1Char('\t'), QStringLiteral("⇥"));
    for (QChar &c : text) {
        if (c.category() == QChar::Other_Format || c.unicode() == 0xA0 || c.unicode() == 0x3000)
            c = QChar(0x2423); // an invisible character, shown
    }
    std::printf("--- %s\n", qPrintable(text));
    std::printf("fields:    %s\n", line(names).constData());
    std::printf("truth:     %s\n", line(sample.truth).constData());
    std::printf("cells:     %s\n", line(review.cells).constData());
    std::printf("suggested: %s\n", line(review.suggested).constData());
    std::printf("leftover:  %s\n", line(review.leftover).constData());
    for (const ReviewNote &note : review.notes)
        std::printf("  [%d %s] %s\n", note.field, noteKindName(note.kind), qPrintable(note.text));
}

void count(const Sample &sample, const QDate &today, Tally *t, int *show, const QString &showWhat)
{
    const RecordReview review = reviewText(sample.text, sample.fields, today);
    ++t->records;
    t->cellsEqual += review.cells == analyzeText(sample.text, sample.fields);
    const bool right = review.cells == sample.truth;
    const bool suggested = suggestionRight(sample, review);
    t->cellsRight += right;
    t->suggestedRight += suggested;
    const bool noisy = right && !review.notes.isEmpty();
    if (noisy) {
        ++t->noisy;
        t->faultyNoisy += (sample.traits & (FaultyValue | OldIdNumber)) != 0;
        for (const ReviewNote &note : review.notes)
            ++t->noisyNotes[sample.kinds.at(note.field) + QLatin1Char(' ')
                            + QLatin1String(noteKindName(note.kind))];
    }
    bool silent = false;
    QStringList faults; // of the silent cells
    for (int f = 0; f < sample.fields.size(); ++f) {
        const QString &kind = sample.kinds.at(f);
        ++t->wrongCells[kind].of;
        if (review.cells.at(f) == sample.truth.at(f))
            continue;
        ++t->wrongCells[kind].count;
        ++t->silentCells[kind].of;
        if (!noted(review, f)
            && !(review.cells.at(f).isEmpty() && amongLeftover(review, sample.written.at(f)))) {
            ++t->silentCells[kind].count;
            faults.append(silentFault(sample, review, f));
            ++t->silentFaults[faults.last()];
            silent = true;
        }
    }
    t->wrong += !right;
    t->silent += silent;
    for (int bit = 0; bit < pasteTraitCount; ++bit) {
        if (sample.traits & (1u << bit)) {
            ++t->traitSilent[bit].of;
            t->traitSilent[bit].count += silent;
            ++t->traitSuggested[bit].of;
            t->traitSuggested[bit].count += suggested;
        }
    }
    // "silent:WORDS" shows the silent records with a fault whose description holds WORDS.
    const QString fault = showWhat.section(QLatin1Char(':'), 1);
    const bool interesting = showWhat == QLatin1String("silent") ? silent
        : showWhat.startsWith(QLatin1String("silent:"))          ? std::any_of(
                       faults.cbegin(), faults.cend(), [&fault](const QString &f) { return f.contains(fault); })
        : showWhat == QLatin1String("noise") ? noisy
                                             : !suggested;
    if (interesting && *show > 0) {
        --*show;
        printSample(sample, review);
    }
}

void printTally(const char *title, const Tally &t)
{
    const double n = t.records / 100.0;
    std::printf("== %s: %d pastes", title, t.records);
    if (t.fieldLists > 0)
        std::printf(" over %d field lists (%.1f fields a list)", t.fieldLists,
                    double(t.fieldCount) / t.fieldLists);
    std::printf("\n");
    std::printf(
        "silent (records with a wrong cell neither noted nor left over): %5.1f %%  (%d of %d wrong)\n",
        t.silent / n, t.silent, t.wrong);
    std::printf(
        "noise (fully right records with a note):                        %5.1f %%  (%d of %d right; %d of "
        "them hold a faulty value or an old ID number)\n",
        t.noisy * 100.0 / qMax(1, t.cellsRight), t.noisy, t.cellsRight, t.faultyNoisy);
    std::printf("suggested row fully right:                                      %5.1f %%\n",
                t.suggestedRight / n);
    std::printf("cells equal to the rules' row:                                  %5.1f %%\n",
                t.cellsEqual / n);
    std::printf("cells fully right (the rules alone):                            %5.1f %%\n",
                t.cellsRight / n);
    std::printf("by kind, wrong cells / of them silent:");
    for (auto it = t.wrongCells.cbegin(); it != t.wrongCells.cend(); ++it) {
        const Rate silent = t.silentCells.value(it.key());
        std::printf(" %s %.0f%%/%d", qPrintable(it.key()), it->percent(), silent.count);
    }
    std::printf("\nby trait, pastes: silent %% / suggested right %%:");
    for (int bit = 0; bit < pasteTraitCount; ++bit) {
        if (t.traitSilent[bit].of > 0)
            std::printf("\n  %-16s %5d: %5.1f / %5.1f", pasteTraitName(bit), t.traitSilent[bit].of,
                        t.traitSilent[bit].percent(), t.traitSuggested[bit].percent());
    }
    std::printf("\nsilent cells by what they hold:");
    for (auto it = t.silentFaults.cbegin(); it != t.silentFaults.cend(); ++it)
        std::printf("\n  %6d %s", it.value(), qPrintable(it.key()));
    std::printf("\nnotes on fully right records, by kind and note:");
    for (auto it = t.noisyNotes.cbegin(); it != t.noisyNotes.cend(); ++it)
        std::printf(" [%s] %d", qPrintable(it.key()), it.value());
    std::printf("\n");
}

void measureHalf(Half half, const QDate &today, int records, int show, const QString &showWhat)
{
    VariedPastes pastes(20261208, half, today);
    Tally t;
    QList<FieldDef> current;
    for (int i = 0; i < records; ++i) {
        const VariedPaste paste = pastes.next();
        if (i == 0 || paste.fields != current) {
            current = paste.fields;
            ++t.fieldLists;
            t.fieldCount += current.size();
        }
        count({ paste.text, paste.fields, paste.kinds, paste.truth, paste.alsoRight, paste.written,
                paste.traits },
              today, &t, &show, showWhat);
    }
    printTally(halfName(half), t);
}

// The first generator: twelve fixed fields, the preset names and their vocabulary.
void measureClassic(const QDate &today, int records, int show, const QString &showWhat)
{
    const QList<FieldDef> fields = reviewFields();
    QStringList kinds;
    for (const FieldDef &field : fields)
        kinds.append(field.name);
    SamplePastes pastes(20261207, today);
    Tally t;
    for (int i = 0; i < records; ++i) {
        const SamplePaste paste = pastes.next();
        QStringList none;
        for (int f = 0; f < fields.size(); ++f)
            none.append(QString());
        count({ paste.text, fields, kinds, paste.truth, none, paste.truth, paste.faulty ? FaultyValue : 0u },
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
    }
    if (!today.isValid()) {
        std::fprintf(stderr, "bench_review: --today takes a date such as 2026-12-01\n");
        return 2;
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
