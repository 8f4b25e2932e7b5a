// The file: a header (magic and version), then entries of [payload length][MD5 of payload][payload].
// The first entry is the whole table; every later one a change to it, written before the window goes
// on and synced to disk at once by DiskSync, so the file always ends in a complete state or in one
// entry a kill cut off, which reading leaves out. The first snapshot goes through QSaveFile, so a kill
// while it is written leaves no half file in its place. Once the appended changes outgrow the snapshot,
// a worker thread writes a new one beside the file (over 10,000 rows that takes longer than a keystroke
// may) while the changes go on into the old file and are kept aside; the next change after it is done
// appends them to the new file, which then replaces the old one in one step.
#include "table/kept_table.h"

#include "fields/text_file.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QDateTime>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QSaveFile>
#include <QThread>

Q_LOGGING_CATEGORY(lcKeptTable, "quorbel.table")

// What a row keeps on disk: its review is worked out again when it is read.
QDataStream &operator<<(QDataStream &out, const TableRow &row)
{
    return out << row.text << row.cells << row.labelled << row.edited << row.leftover;
}

QDataStream &operator>>(QDataStream &in, TableRow &row)
{
    return in >> row.text >> row.cells >> row.labelled >> row.edited >> row.leftover;
}

namespace {

const QByteArray kMagic("QRBT");
constexpr quint32 kVersion = 1;
constexpr int kHeaderSize = 8;
constexpr int kEntryHeaderSize = 4 + 16;
// Appended entries may grow to this many times the snapshot before the file is written anew.
constexpr qint64 kCompactFactor = 4;
constexpr qint64 kCompactFloor = 1 << 20;

QByteArray encode(const TableChange &change, const QStringList &fieldNames)
{
    QByteArray payload;
    QDataStream out(&payload, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_5_11);
    out << quint8(change.kind);
    switch (change.kind) {
    case TableChange::Kind::Insert:
    case TableChange::Kind::Replace:
        out << change.positions << change.rows;
        break;
    case TableChange::Kind::Remove:
        out << change.positions;
        break;
    case TableChange::Kind::Columns:
        out << fieldNames << change.columns;
        break;
    case TableChange::Kind::Reset:
        out << fieldNames << change.rows;
        break;
    }
    return payload;
}

bool decode(const QByteArray &payload, TableChange *change, QStringList *fieldNames)
{
    QDataStream in(payload);
    in.setVersion(QDataStream::Qt_5_11);
    quint8 kind = 0;
    in >> kind;
    change->kind = TableChange::Kind(kind);
    switch (change->kind) {
    case TableChange::Kind::Insert:
    case TableChange::Kind::Replace:
        in >> change->positions >> change->rows;
        break;
    case TableChange::Kind::Remove:
        in >> change->positions;
        break;
    case TableChange::Kind::Columns:
        in >> *fieldNames >> change->columns;
        break;
    case TableChange::Kind::Reset:
        in >> *fieldNames >> change->rows;
        break;
    default:
        return false;
    }
    return in.status() == QDataStream::Ok && in.atEnd();
}

QByteArray frame(const QByteArray &payload)
{
    QByteArray entry;
    QDataStream out(&entry, QIODevice::WriteOnly);
    out << quint32(payload.size());
    entry += QCryptographicHash::hash(payload, QCryptographicHash::Md5);
    entry += payload;
    return entry;
}

QByteArray fileHeader()
{
    QByteArray version;
    QDataStream out(&version, QIODevice::WriteOnly);
    out << kVersion;
    return kMagic + version;
}

} // namespace

KeptTable::KeptTable(const QString &path)
    : m_path(path)
    , m_compactFactor(kCompactFactor)
    , m_compactFloor(kCompactFloor)
{ }

void KeptTable::setCompaction(qint64 factor, qint64 floor)
{
    m_compactFactor = factor;
    m_compactFloor = floor;
}

KeptTable::~KeptTable()
{
    dropCompaction();
    closeFile();
}

KeptTable::ReadResult KeptTable::read(const QString &path, KeptState *state, QString *error)
{
    *state = KeptState();
    QFile file(path);
    if (!file.exists())
        return ReadResult::Missing;
    if (!file.open(QIODevice::ReadOnly)) {
        *error = file.errorString();
        return ReadResult::Unreadable;
    }
    const QByteArray bytes = file.readAll();
    // A kill before the header was complete leaves nothing worth keeping, and nothing to set aside.
    if (bytes.size() < kHeaderSize && kMagic.startsWith(bytes.left(kMagic.size())))
        return ReadResult::Read;
    if (!bytes.startsWith(kMagic)) {
        *error = QStringLiteral("not a kept table");
        return ReadResult::Unreadable;
    }
    QDataStream header(bytes.mid(kMagic.size(), 4));
    quint32 version = 0;
    header >> version;
    if (version != kVersion) {
        *error = QStringLiteral("version %1").arg(version);
        return ReadResult::Unreadable;
    }
    RecordTable table;
    bool started = false;
    for (int at = kHeaderSize; at < bytes.size();) {
        if (bytes.size() - at < kEntryHeaderSize)
            break; // cut off by a kill
        QDataStream lengthIn(bytes.mid(at, 4));
        quint32 length = 0;
        lengthIn >> length;
        const qint64 end = qint64(at) + kEntryHeaderSize + length;
        if (end > bytes.size())
            break;
        const QByteArray payload = bytes.mid(at + kEntryHeaderSize, int(length));
        if (QCryptographicHash::hash(payload, QCryptographicHash::Md5) != bytes.mid(at + 4, 16)) {
            if (end == bytes.size())
                break; // the last entry, its bytes not all on disk
            *error = QStringLiteral("entry at byte %1 damaged").arg(at);
            return ReadResult::Unreadable;
        }
        TableChange change;
        QStringList names = state->fieldNames;
        if (!decode(payload, &change, &names) || (!started && change.kind != TableChange::Kind::Reset)
            || !table.accepts(change)) {
            *error = QStringLiteral("entry at byte %1 does not fit the table").arg(at);
            return ReadResult::Unreadable;
        }
        started = true;
        table.apply(&change);
        state->fieldNames = names;
        at = int(end);
    }
    state->rows = table.rows();
    return ReadResult::Read;
}

QString KeptTable::newPath() const
{
    return m_path + QStringLiteral(".new");
}

void KeptTable::removeLeftovers(const QString &path)
{
    removeSaveLeftovers(path);
    QFile::remove(path + QStringLiteral(".new"));
}

QString KeptTable::setAside(const QString &path)
{
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString target = path + QStringLiteral(".unreadable-") + stamp;
    for (int n = 2; QFileInfo::exists(target); ++n)
        target = path + QStringLiteral(".unreadable-") + stamp + QLatin1Char('-') + QString::number(n);
    return QFile::rename(path, target) ? target : QString();
}

bool KeptTable::keep(const TableChange &change, const QStringList &fieldNames, const RecordTable &table)
{
    if (!m_file.isOpen())
        return rewrite(fieldNames, table);
    return append(encode(change, fieldNames), fieldNames, table);
}

bool KeptTable::keepColumns(const QVector<int> &fromOld, const QStringList &fieldNames,
                            const RecordTable &table)
{
    if (!m_file.isOpen())
        return true; // nothing kept yet; the first change writes the columns as they are then
    TableChange change;
    change.kind = TableChange::Kind::Columns;
    change.columns = fromOld;
    return append(encode(change, fieldNames), fieldNames, table);
}

bool KeptTable::append(const QByteArray &payload, const QStringList &fieldNames, const RecordTable &table)
{
    if (m_compaction && m_compaction->worker->isFinished() && !finishCompaction())
        return false;
    const QByteArray entry = frame(payload);
    if (m_file.write(entry) != entry.size() || !m_sync.request(&m_file) || m_sync.takeFailure()) {
        m_error = m_file.errorString();
        qCWarning(lcKeptTable) << "cannot append to" << m_path << m_error;
        dropCompaction();
        closeFile();
        return false;
    }
    m_appended += entry.size();
    if (m_compaction)
        m_compaction->since.append(entry);
    else if (m_appended > m_compactFactor * m_snapshot + m_compactFloor)
        startCompaction(fieldNames, table);
    return true;
}

QByteArray KeptTable::snapshot(const QStringList &fieldNames, const QVector<TableRow> &rows)
{
    TableChange reset;
    reset.kind = TableChange::Kind::Reset;
    reset.rows = rows;
    return fileHeader() + frame(encode(reset, fieldNames));
}

void KeptTable::startCompaction(const QStringList &fieldNames, const RecordTable &table)
{
    // The rows are shared, not copied: the worker reads them while the window changes its own.
    auto compaction = std::make_unique<Compaction>();
    if (!openSyncable(&compaction->file, newPath(), true))
        return; // the file as it is stays complete; the next change tries again
    Compaction *work = compaction.get();
    const QVector<TableRow> rows = table.rows();
    work->worker.reset(QThread::create([work, fieldNames, rows] {
        const QByteArray bytes = snapshot(fieldNames, rows);
        work->written = work->file.write(bytes) == bytes.size() && syncFile(&work->file);
        work->size = bytes.size();
    }));
    m_compaction = std::move(compaction);
    m_compaction->worker->start(QThread::LowPriority);
}

bool KeptTable::finishCompaction()
{
    std::unique_ptr<Compaction> compaction = std::move(m_compaction);
    compaction->worker->wait();
    // The changes kept while the snapshot was written follow it; then it takes the old file's place,
    // which must be closed first where an open file cannot be replaced.
    const QByteArray since = compaction->since.join();
    const bool written =
        compaction->written && compaction->file.write(since) == since.size() && syncFile(&compaction->file);
    compaction->file.close();
    closeFile();
    const bool replaced = written && replaceFile(newPath(), m_path);
    if (!replaced) {
        qCWarning(lcKeptTable) << "cannot write" << newPath();
        QFile::remove(newPath());
    }
    // Either way the file at the path is complete: the new one, or the old one as it was.
    if (!openSyncable(&m_file, m_path, false)) {
        m_error = QStringLiteral("cannot open %1").arg(m_path);
        return false;
    }
    if (replaced) {
        m_snapshot = compaction->size;
        m_appended = since.size();
        ++m_compactions;
    }
    return true;
}

void KeptTable::dropCompaction()
{
    if (!m_compaction)
        return;
    m_compaction->worker->wait();
    m_compaction->file.close();
    QFile::remove(newPath());
    m_compaction.reset();
}

void KeptTable::waitForCompaction()
{
    if (m_compaction)
        finishCompaction();
}

bool KeptTable::rewrite(const QStringList &fieldNames, const RecordTable &table)
{
    dropCompaction();
    closeFile();
    m_appended = 0;
    m_snapshot = 0;
    if (table.isEmpty())
        return discard();
    const QByteArray bytes = snapshot(fieldNames, table.rows());
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        m_error = file.errorString();
        qCWarning(lcKeptTable) << "cannot write" << m_path << m_error;
        return false;
    }
    if (!openSyncable(&m_file, m_path, false)) {
        m_error = QStringLiteral("cannot open %1").arg(m_path);
        return false;
    }
    m_snapshot = bytes.size();
    return true;
}

void KeptTable::closeFile()
{
    m_sync.finish();
    m_file.close();
}

bool KeptTable::discard()
{
    dropCompaction();
    closeFile();
    m_appended = 0;
    m_snapshot = 0;
    return !QFileInfo::exists(m_path) || QFile::remove(m_path);
}
