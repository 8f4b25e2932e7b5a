// The record table kept on disk while the window works, so that a kill, a crash or a power cut loses
// nothing: one snapshot, then every change appended as it happens, each entry with its own checksum.
#pragma once

#include "table/disk_sync.h"
#include "table/record_table.h"

#include <QByteArrayList>
#include <QFile>
#include <QString>
#include <QStringList>

#include <memory>

class QThread;

struct KeptState
{
    QStringList fieldNames; // the columns the cells belong to
    QVector<TableRow> rows; // not yet reviewed
};

class KeptTable final
{
public:
    enum class ReadResult { Missing, Read, Unreadable };

    explicit KeptTable(const QString &path);
    ~KeptTable();

    // The last complete state in the file. An entry cut off at the end (the write a kill interrupted)
    // is left out; anything else that does not read is Unreadable, with the reason in *error.
    static ReadResult read(const QString &path, KeptState *state, QString *error);
    // Moves an unreadable file out of the way; its new path, or empty when it could not be moved.
    static QString setAside(const QString &path);
    // Removes the snapshots a kill interrupted beside the file: they hold people's details too.
    static void removeLeftovers(const QString &path);

    // Keeps the table after `change`: the first call writes the whole table, later ones append the
    // change alone, and the file is written anew once the appended entries outgrow the table.
    bool keep(const TableChange &change, const QStringList &fieldNames, const RecordTable &table);
    // The columns changed (fields added, deleted, moved or renamed).
    bool keepColumns(const QVector<int> &fromOld, const QStringList &fieldNames, const RecordTable &table);
    // Writes the whole table anew; with no rows the file goes, so no personal data stays behind.
    bool rewrite(const QStringList &fieldNames, const RecordTable &table);
    // Deletes the file: the table was closed normally or cleared.
    bool discard();
    // A new snapshot being written in the background is finished and put in place now.
    void waitForCompaction();

    // The appended entries may grow to factor × the last snapshot plus floor bytes before the whole
    // table is written anew (by default 4 × and 1 MiB).
    void setCompaction(qint64 factor, qint64 floor);

    QString path() const { return m_path; }
    QString errorString() const { return m_error; }
    // Bytes appended since the whole table was last written, and that write's size.
    qint64 appendedBytes() const { return m_appended; }
    qint64 snapshotBytes() const { return m_snapshot; }
    // New snapshots put in place since the start.
    int compactions() const { return m_compactions; }

private:
    // A snapshot written by a worker thread, and the entries appended to the old file meanwhile.
    struct Compaction
    {
        QFile file; // the new snapshot, beside the old file until it takes its place
        std::unique_ptr<QThread> worker;
        bool written = false;
        qint64 size = 0;
        QByteArrayList since;
    };

    static QByteArray snapshot(const QStringList &fieldNames, const QVector<TableRow> &rows);
    bool append(const QByteArray &payload, const QStringList &fieldNames, const RecordTable &table);
    void startCompaction(const QStringList &fieldNames, const RecordTable &table);
    bool finishCompaction();
    void dropCompaction();
    void closeFile();
    QString newPath() const;

    QString m_path;
    QFile m_file; // open for appending after the first snapshot
    DiskSync m_sync;
    qint64 m_appended = 0;
    qint64 m_snapshot = 0;
    qint64 m_compactFactor;
    qint64 m_compactFloor;
    std::unique_ptr<Compaction> m_compaction;
    int m_compactions = 0;
    QString m_error;
};
