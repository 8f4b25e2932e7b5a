// Re-sorting, adding and batch-adding records through the real window, table items included, and
// what keeping the table on disk costs. Prints its figures; not part of the test suite.
#include "app/quorbel.h"
#include "batch/record_batch.h"
#include "bench/sample_records.h"
#include "fields/field_file.h"
#include "fields/known_fields.h"
#include "review/duplicate_marks.h"
#include "table/kept_table.h"
#include "workspace/workspace.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMessageBox>
#include <QTimer>
#include <QtWidgets>

#include <algorithm>
#include <cstdio>
#include <utility>

namespace {

double seconds(const QElapsedTimer &t)
{
    return double(t.nsecsElapsed()) / 1e9;
}

double median(QList<qint64> nanoseconds)
{
    std::sort(nanoseconds.begin(), nanoseconds.end());
    return nanoseconds.at(nanoseconds.size() / 2) / 1e6;
}

double worst(const QList<qint64> &nanoseconds)
{
    return *std::max_element(nanoseconds.begin(), nanoseconds.end()) / 1e6;
}

// The kept table alone, on a file of its own beside the window's: the whole table written at once
// (the first change, and each time the appended changes outgrow it), one changed row appended, and a
// batch of all the rows as one entry.
void benchKeeping(const RecordTable &table, const QStringList &fieldNames, const QString &dataDir)
{
    const QString path = dataDir + QStringLiteral("bench.journal");
    KeptTable kept(path);
    QElapsedTimer timer;
    QList<qint64> snapshots;
    for (int i = 0; i < 5; ++i) {
        timer.restart();
        kept.rewrite(fieldNames, table);
        snapshots.append(timer.nsecsElapsed());
    }
    std::printf(
        "kept table: whole table of %d rows written (QSaveFile, synced): median %.1f ms, worst %.1f ms, "
        "%.1f MB\n",
        table.size(), median(snapshots), worst(snapshots), kept.snapshotBytes() / 1e6);
    KeptState state;
    QString error;
    timer.restart();
    KeptTable::read(path, &state, &error);
    std::printf("kept table: %d rows read back at start-up (before they are reviewed again): %.1f ms\n",
                int(state.rows.size()), seconds(timer) * 1e3);
    QList<qint64> appends;
    for (int i = 0; i < 200; ++i) {
        const int row = (i * 37) % table.size();
        TableRow changed = table.at(row);
        changed.cells[0] = QStringLiteral("改%1").arg(i);
        changed.edited[0] = true;
        const TableChange change = table.replacement({ row }, { changed });
        timer.restart();
        kept.keep(change, fieldNames, table);
        appends.append(timer.nsecsElapsed());
    }
    std::printf("kept table: one changed row of %d appended (synced): median %.2f ms, worst %.2f ms "
                "(target < 50 ms)\n",
                table.size(), median(appends), worst(appends));
    // The same with a new snapshot due after every few changes: it is written by a worker thread and
    // put in place by a later change, which is all the user waits for.
    kept.setCompaction(0, 64 * 1024);
    QList<qint64> compacting;
    for (int i = 0; i < 200; ++i) {
        const int row = (i * 37) % table.size();
        TableRow changed = table.at(row);
        changed.cells[0] = QStringLiteral("改%1").arg(i);
        const TableChange change = table.replacement({ row }, { changed });
        timer.restart();
        kept.keep(change, fieldNames, table);
        compacting.append(timer.nsecsElapsed());
        QThread::msleep(20); // the user's pace, more or less
    }
    std::printf("kept table: one changed row of %d appended while new snapshots are written (%d put in "
                "place): median %.2f ms, worst %.2f ms (target < 50 ms)\n",
                table.size(), kept.compactions(), median(compacting), worst(compacting));
    RecordTable empty;
    kept.rewrite(fieldNames, empty);
    RecordTable batch;
    TableChange first = TableChange::insertion(0, { table.at(0) });
    batch.apply(&first);
    kept.keep(first, fieldNames, batch);
    TableChange all = TableChange::insertion(1, table.rows());
    batch.apply(&all);
    const qint64 before = QFileInfo(path).size();
    timer.restart();
    kept.keep(all, fieldNames, batch);
    std::printf("kept table: a batch of %d rows kept as one entry: %.1f ms, %.1f MB in one write\n",
                table.size(), seconds(timer) * 1e3, (QFileInfo(path).size() - before) / 1e6);
    kept.discard();
}

} // namespace

// Adding one by one through the button, re-sorting, and single adds to the full table.
void benchOneByOne(const QStringList &texts, int fieldCount)
{
    const int count = texts.size();
    Quorbel window;
    window.show();
    auto *input = window.findChild<QPlainTextEdit *>(QStringLiteral("inputEdit"));
    auto *addButton = window.findChild<QPushButton *>(QStringLiteral("inputButton"));
    auto *table = window.findChild<QTableWidget *>(QStringLiteral("tableWidget"));

    QElapsedTimer timer;
    timer.start();
    for (const QString &text : texts) {
        input->setPlainText(text);
        addButton->click();
    }
    std::printf("add %d records one by one: %.3f s (%.0f records/s)\n", count, seconds(timer),
                count / seconds(timer));

    // Re-sort through the slot, the confirmation answered as soon as it shows.
    QTimer yes;
    yes.setInterval(0);
    QObject::connect(&yes, &QTimer::timeout, [&yes] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            yes.stop();
            box->button(QMessageBox::Yes)->click();
        }
    });
    yes.start();
    timer.restart();
    window.slotResortButtonClicked();
    std::printf("re-sort %d records over %d fields: %.3f s (target < 1 s)\n", count, fieldCount,
                seconds(timer));

    QList<qint64> singles;
    for (int i = 0; i < 50; ++i) {
        input->setPlainText(texts.at(i));
        timer.restart();
        addButton->click();
        duplicateMarks(table); // worked out again over the whole table, as once the event loop is back
        singles.append(timer.nsecsElapsed());
    }
    std::sort(singles.begin(), singles.end());
    std::printf("add one record to a table of %d rows, duplicate marks included: median %.3f ms, worst %.3f "
                "ms (target < 10 ms)\n",
                table->rowCount() - 1, singles.at(singles.size() / 2) / 1e6, singles.last() / 1e6);

    // A hand edit is a step of its own: the row reviewed again, shown, and appended to the kept table.
    QList<qint64> edits;
    for (int i = 0; i < 50; ++i) {
        QTableWidgetItem *item = table->item((i * 191) % table->rowCount(), 0);
        timer.restart();
        item->setText(QStringLiteral("改%1").arg(i));
        edits.append(timer.nsecsElapsed());
    }
    std::printf("hand edit of one cell in a table of %d rows, kept on disk: median %.3f ms, worst %.3f ms "
                "(target < 50 ms)\n",
                table->rowCount(), median(edits), worst(edits));
    QList<qint64> undos;
    for (int i = 0; i < 50; ++i) {
        timer.restart();
        window.findChild<QAction *>(QStringLiteral("undoAction"))->trigger();
        undos.append(timer.nsecsElapsed());
    }
    std::printf("undo one step in a table of %d rows, kept on disk: median %.3f ms, worst %.3f ms\n",
                table->rowCount(), median(undos), worst(undos));
    benchKeeping(window.table(), window.fieldCatalogue().names(), workspace->dataDir);
}

// Batch add of the same records into a fresh window: the text split, classified and previewed
// until the dialog shows, then the rows added on 添加, the duplicate marks worked out over the full
// table, the batch taken back by Ctrl+Z, and single records added after a batch.
void benchBatch(const QStringList &texts, const QList<FieldDef> &fields)
{
    QElapsedTimer timer;
    // A sample record may hold blank lines of its own; in a list, a blank line only parts two people.
    QStringList people;
    for (const QString &text : texts) {
        QStringList lines = text.split(QLatin1Char('\n'));
        lines.erase(std::remove_if(lines.begin(), lines.end(),
                                   [](const QString &line) { return line.trimmed().isEmpty(); }),
                    lines.end());
        people.append(lines.join(QLatin1Char('\n')));
    }
    const QString list = people.join(QStringLiteral("\n\n"));
    timer.restart();
    const BatchRecords split = splitBatch(list, BatchSplit::Auto, fields);
    std::printf("batch: split %d records (%s): %.3f s\n", int(split.texts.size()), qPrintable(split.reason),
                seconds(timer));

    Quorbel batchWindow;
    batchWindow.show();
    auto *batchTable = batchWindow.findChild<QTableWidget *>(QStringLiteral("tableWidget"));
    batchWindow.findChild<QPlainTextEdit *>(QStringLiteral("inputEdit"))->setPlainText(list);
    double previewSeconds = 0;
    QElapsedTimer addTimer;
    QTimer press;
    press.setInterval(0);
    QObject::connect(&press, &QTimer::timeout, [&] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!dialog || dialog->objectName() != QStringLiteral("batchDialog"))
            return;
        press.stop();
        previewSeconds = seconds(timer);
        addTimer.start();
        dialog->findChild<QPushButton *>(QStringLiteral("addButton"))->click();
    });
    press.start();
    timer.restart();
    batchWindow.findChild<QAction *>(QStringLiteral("batchAddAction"))->trigger();
    const double addSeconds = seconds(addTimer);
    std::printf("batch: split, classify and preview %d records until the dialog shows: %.3f s\n",
                batchTable->rowCount(), previewSeconds);
    std::printf("batch: add %d records on 添加: %.3f s (target < 2 s)\n", batchTable->rowCount(), addSeconds);
    timer.restart();
    duplicateMarks(batchTable);
    std::printf("batch: duplicate marks over %d rows: %.3f s\n", batchTable->rowCount(), seconds(timer));
    const int added = batchTable->rowCount();
    const QString keptPath = workspace->dataDir + QStringLiteral("table.journal");
    std::printf("batch: kept table after the batch: %.1f MB\n", QFileInfo(keptPath).size() / 1e6);
    timer.restart();
    batchWindow.findChild<QAction *>(QStringLiteral("undoAction"))->trigger();
    std::printf("batch: Ctrl+Z takes %d rows back: %.3f s (%d left, kept table %s)\n", added, seconds(timer),
                batchTable->rowCount(), QFileInfo::exists(keptPath) ? "kept" : "deleted");

    // The batch once more, then a single record on top of it, as the user goes on after a batch.
    auto *input = batchWindow.findChild<QPlainTextEdit *>(QStringLiteral("inputEdit"));
    input->setPlainText(list);
    press.start();
    batchWindow.findChild<QAction *>(QStringLiteral("batchAddAction"))->trigger();
    duplicateMarks(batchTable);
    // Twenty records one by one through a button: the medians of the command and of the duplicate
    // marks worked out after it, in milliseconds.
    const auto oneByOne = [&](const char *button, bool beforeFirst) {
        QList<qint64> adds;
        QList<qint64> marks;
        for (int i = 0; i < 20; ++i) {
            if (beforeFirst)
                batchTable->setCurrentCell(0, 0);
            input->setPlainText(texts.at(i));
            timer.restart();
            batchWindow.findChild<QPushButton *>(QLatin1String(button))->click();
            adds.append(timer.nsecsElapsed());
            timer.restart();
            duplicateMarks(batchTable);
            marks.append(timer.nsecsElapsed());
        }
        std::sort(adds.begin(), adds.end());
        std::sort(marks.begin(), marks.end());
        return std::make_pair(adds.at(adds.size() / 2) / 1e6, marks.at(marks.size() / 2) / 1e6);
    };
    const auto added1 = oneByOne("inputButton", false);
    std::printf("batch: one record added to those %d rows: median %.3f ms, then its duplicate marks: median "
                "%.3f ms\n",
                added, added1.first, added1.second);

    // 插入 before the first row: every row below moves, with its number, its marker and its keys.
    const auto inserted = oneByOne("insertButton", true);
    std::printf("batch: one record inserted before the first of %d rows: median %.3f ms, then its duplicate "
                "marks: median %.3f ms\n",
                batchTable->rowCount() - 1, inserted.first, inserted.second);
}

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QLoggingCategory::setFilterRules(QStringLiteral("quorbel.*.debug=false"));

    const QString dataDir = QCoreApplication::applicationDirPath() + QStringLiteral("/data/");
    QDir(dataDir).removeRecursively();
    QDir().mkpath(dataDir);
    QList<FieldDef> fields;
    for (const char *name : { "姓名", "性别", "年龄", "班级", "手机", "手机号", "邮箱", "学号", "身份证",
                              "专业", "学校", "大学", "年级" }) {
        const QString n = QString::fromUtf8(name);
        fields.append({ n, presetPattern(n) });
    }
    QFile file(dataDir + QStringLiteral("fields.txt"));
    if (!file.open(QIODevice::WriteOnly) || file.write(fieldsToText(fields).toUtf8()) < 0)
        return 1;
    file.close();

    const int count = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 10000;
    SampleRecords samples(20261207);
    QStringList texts;
    for (int i = 0; i < count; ++i)
        texts.append(samples.record());

    // "batch" after the count: the batch figures alone, without the long one-by-one part.
    if (argc <= 2 || qstrcmp(argv[2], "batch") != 0)
        benchOneByOne(texts, fields.size());
    benchBatch(texts, fields);

    QDir(dataDir).removeRecursively();
    return 0;
}
