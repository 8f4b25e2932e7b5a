// The record table's owner and the copy kept on disk: changes and their inverses, reading back after
// a cut-off write, a damaged file set aside, and a writer killed at random moments.
#include "table/kept_table.h"
#include "tests/test_files.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QStringList kNames { QStringLiteral("姓名"), QStringLiteral("性别"), QStringLiteral("手机号") };

TableRow makeRow(int n)
{
    TableRow row;
    // Long enough that a kill often lands inside an entry.
    row.text = QStringLiteral("记录%1 ").arg(n) + QString(200 + n % 300, QChar(0x4e00 + n % 500));
    row.cells = QStringList { QStringLiteral("名%1").arg(n), n % 2 ? QStringLiteral("男") : QString(),
                              QString::number(13800000000LL + n) };
    row.labelled = { n % 3 == 0, false, false };
    row.edited = { false, n % 5 == 0, false };
    row.leftover = n % 4 ? QStringList() : QStringList { QStringLiteral("余%1").arg(n) };
    return row;
}

// The n-th change of a fixed sequence that inserts, removes, replaces and moves columns.
TableChange changeNumber(int n, const RecordTable &table)
{
    const int size = table.size();
    TableChange change;
    if (size >= 3 && n % 13 == 12) {
        change.kind = TableChange::Kind::Columns;
        change.columns = { 1, 0, 2 };
    } else if (size >= 3 && n % 4 == 3) {
        change = table.removal({ (n * 5) % size });
    } else if (size >= 3 && n % 4 == 1) {
        const int at = (n * 3) % size;
        TableRow row = table.at(at);
        row.cells[2] = QStringLiteral("改%1").arg(n);
        row.edited[2] = true;
        change = table.replacement({ at, size - 1 }, { row, makeRow(n) });
        if (at == size - 1)
            change = table.replacement({ at }, { row });
    } else {
        change = TableChange::insertion((n * 7) % (size + 1), { makeRow(n), makeRow(n + 100000) });
    }
    return change;
}

// What the disk keeps of a row; the review is worked out again on reading.
QString kept(const QVector<TableRow> &rows)
{
    QStringList lines;
    for (const TableRow &row : rows) {
        QStringList flags;
        for (int i = 0; i < row.cells.size(); ++i)
            flags << QStringLiteral("%1%2").arg(row.labelled.value(i)).arg(row.edited.value(i));
        lines << row.text + QLatin1Char('|') + row.cells.join(QLatin1Char('|')) + QLatin1Char('|')
                + flags.join(QLatin1Char(',')) + QLatin1Char('|') + row.leftover.join(QLatin1Char(','));
    }
    return lines.join(QLatin1Char('\n'));
}

bool keepChange(KeptTable *file, RecordTable *table, TableChange change)
{
    table->apply(&change);
    if (change.kind == TableChange::Kind::Columns)
        return file->keepColumns(change.columns, kNames, *table);
    return file->keep(change, kNames, *table);
}

// The child process: keeps changing the table and says after each kept change how many are kept.
int keepWriting(const QString &path)
{
    KeptTable file(path);
    file.setCompaction(2, 16 * 1024); // snapshots often, so kills land in them too
    RecordTable table;
    QTextStream out(stdout);
    for (int n = 0;; ++n) {
        if (!keepChange(&file, &table, changeNumber(n, table)))
            return 1;
        out << n + 1 << '\n';
        out.flush();
        // A user's pace, roughly, so that the states worked out by the test stay few.
        QThread::msleep(1);
    }
}

} // namespace

class TestKeptTable : public QObject
{
    Q_OBJECT

private slots:
    void changesAndTheirInverses();
    void readsBackEveryStep();
    void cutOffEntryLeftOut();
    void unreadableSetAside_data();
    void unreadableSetAside();
    void killedWriterLeavesAnEarlierState();
};

void TestKeptTable::changesAndTheirInverses()
{
    // Every change taken back by its inverse, in reverse order, gives every earlier table again.
    RecordTable table;
    QVector<QString> states { kept(table.rows()) };
    QVector<TableChange> done;
    for (int n = 0; n < 60; ++n) {
        TableChange change = changeNumber(n, table);
        if (change.kind == TableChange::Kind::Columns)
            continue;
        QVERIFY(table.accepts(change));
        table.apply(&change);
        done.append(change);
        states.append(kept(table.rows()));
    }
    for (int i = done.size() - 1; i >= 0; --i) {
        TableChange back = done.at(i).inverse();
        QVERIFY(table.accepts(back));
        table.apply(&back);
        QCOMPARE(kept(table.rows()), states.at(i));
    }
    // Positions out of range or out of order are refused.
    table.apply(&done[0]);
    TableChange wrong = table.removal({ 0 });
    wrong.positions = { 1, 0 };
    QVERIFY(!table.accepts(wrong));
    wrong.positions = { table.size() };
    QVERIFY(!table.accepts(wrong));
    QVERIFY(!table.accepts(TableChange::insertion(table.size() + 1, { makeRow(1) })));
}

void TestKeptTable::readsBackEveryStep()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("table.journal"));
    KeptTable file(path);
    file.setCompaction(0, 2048);
    RecordTable table;
    for (int n = 0; n < 80; ++n) {
        QVERIFY(keepChange(&file, &table, changeNumber(n, table)));
        // Now and then the new snapshot is waited for; otherwise it is put in place by a later change.
        if (n % 7 == 0)
            file.waitForCompaction();
        KeptState state;
        QString error;
        QCOMPARE(KeptTable::read(path, &state, &error), KeptTable::ReadResult::Read);
        QCOMPARE(kept(state.rows), kept(table.rows()));
        QCOMPARE(state.fieldNames, kNames);
    }
    QVERIFY(file.compactions() > 5);
    // Emptied, the file goes with its data.
    QList<int> everyRow;
    for (int row = 0; row < table.size(); ++row)
        everyRow.append(row);
    TableChange all = table.removal(everyRow);
    table.apply(&all);
    QVERIFY(file.rewrite(kNames, table));
    QVERIFY(!QFile::exists(path));
    KeptState state;
    QString error;
    QCOMPARE(KeptTable::read(path, &state, &error), KeptTable::ReadResult::Missing);
}

void TestKeptTable::cutOffEntryLeftOut()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("table.journal"));
    KeptTable file(path);
    RecordTable table;
    for (int n = 0; n < 5; ++n)
        QVERIFY(keepChange(&file, &table, changeNumber(n, table)));
    const QString before = kept(table.rows());
    const QByteArray complete = TestFiles::bytesOf(path);
    QVERIFY(keepChange(&file, &table, changeNumber(5, table)));
    const QByteArray longer = TestFiles::bytesOf(path);
    // Any length a kill can leave of the last entry (every one within its length and checksum) reads as
    // the table before it.
    for (int size = complete.size(); size < longer.size(); size += size < complete.size() + 24 ? 1 : 29) {
        QVERIFY(TestFiles::putBytes(path, longer.left(size)));
        KeptState state;
        QString error;
        QCOMPARE(KeptTable::read(path, &state, &error), KeptTable::ReadResult::Read);
        QCOMPARE(kept(state.rows), before);
    }
}

void TestKeptTable::unreadableSetAside_data()
{
    QTest::addColumn<int>("damage"); // 0: another file; 1: a newer version; 2: a byte of an inner entry
    QTest::newRow("not a kept table") << 0;
    QTest::newRow("newer version") << 1;
    QTest::newRow("inner entry damaged") << 2;
}

void TestKeptTable::unreadableSetAside()
{
    QFETCH(int, damage);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("table.journal"));
    {
        KeptTable file(path);
        RecordTable table;
        for (int n = 0; n < 4; ++n)
            QVERIFY(keepChange(&file, &table, changeNumber(n, table)));
    }
    QByteArray bytes = TestFiles::bytesOf(path);
    if (damage == 0)
        bytes = "<field><name>姓名</name></field>";
    else if (damage == 1)
        bytes[7] = 2;
    else
        bytes[40] = char(bytes.at(40) ^ 0x5a); // inside the snapshot, with entries after it
    QVERIFY(TestFiles::putBytes(path, bytes));
    KeptState state;
    QString error;
    QCOMPARE(KeptTable::read(path, &state, &error), KeptTable::ReadResult::Unreadable);
    QVERIFY(!error.isEmpty());
    QVERIFY(state.rows.isEmpty());
    const QString aside = KeptTable::setAside(path);
    QVERIFY(aside.startsWith(path + QStringLiteral(".unreadable-")));
    QVERIFY(!QFile::exists(path));
    QCOMPARE(TestFiles::bytesOf(aside), bytes);
}

void TestKeptTable::killedWriterLeavesAnEarlierState()
{
    // The states the writer passes through, worked out here the same way.
    RecordTable table;
    const auto fingerprint = [](const QVector<TableRow> &rows) {
        return QCryptographicHash::hash(kept(rows).toUtf8(), QCryptographicHash::Md5);
    };
    QVector<QByteArray> states { fingerprint(table.rows()) };
    for (int n = 0; n < 800; ++n) {
        TableChange change = changeNumber(n, table);
        table.apply(&change);
        states.append(fingerprint(table.rows()));
    }
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("table.journal"));
    QRandomGenerator random(23);
    for (int run = 0; run < 40; ++run) {
        QFile::remove(path);
        QProcess writer;
        writer.start(QCoreApplication::applicationFilePath(), { QStringLiteral("--keep-writing"), path });
        QVERIFY(writer.waitForStarted());
        // Killed at a random moment once it writes, however long starting took.
        QVERIFY(writer.waitForReadyRead(30000));
        QTest::qWait(int(random.bounded(100)));
        writer.kill();
        QVERIFY(writer.waitForFinished());
        const QList<QByteArray> said = writer.readAllStandardOutput().split('\n');
        int reported = 0;
        for (const QByteArray &line : said) {
            if (!line.isEmpty())
                reported = line.toInt();
        }
        QVERIFY2(reported < states.size() - 1, "the writer outran the states worked out here");
        KeptState state;
        QString error;
        const KeptTable::ReadResult result = KeptTable::read(path, &state, &error);
        QVERIFY2(result != KeptTable::ReadResult::Unreadable, qPrintable(error));
        // A complete state, and none older than the last one the writer had kept.
        const QByteArray read = fingerprint(state.rows);
        int found = -1;
        for (int n = reported; n < states.size() && found < 0; ++n) {
            if (states.at(n) == read)
                found = n;
        }
        QVERIFY2(found >= 0,
                 qPrintable(QStringLiteral("run %1: no state from %2 on").arg(run).arg(reported)));
    }
}

int main(int argc, char **argv)
{
    if (argc == 3 && qstrcmp(argv[1], "--keep-writing") == 0)
        return keepWriting(QString::fromLocal8Bit(argv[2]));
    QCoreApplication app(argc, argv);
    TestKeptTable test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_kept_table.moc"
