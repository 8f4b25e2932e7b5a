// Bringing written data to the disk: a file opened through the C library, whose descriptor the sync
// needs, the sync itself, an atomic replacement, and DiskSync, which syncs on a thread of its own: a
// kill cannot lose what was written, only a power cut can, and that only until the sync a moment
// later; the window never waits for the disk.
#pragma once

#include <QMutex>
#include <QString>
#include <QWaitCondition>

#include <memory>

class QFile;
class QFileDevice;
class QThread;

// Opens the file for writing at its end (emptied first when `truncate`), with a handle syncFile can use.
bool openSyncable(QFile *file, const QString &path, bool truncate);
// Flushes the file and waits until its data are on the disk.
bool syncFile(QFileDevice *file);
// Puts `from` in the place of `to` in one step, replacing it.
bool replaceFile(const QString &from, const QString &to);

class DiskSync final
{
public:
    DiskSync();
    ~DiskSync();

    // The file's writes so far (its own buffer flushed here) reach the disk as soon as the disk allows.
    // False when the file cannot even hand them to the system.
    bool request(QFileDevice *file);
    // Waits for every requested sync: before the file is closed, or when the data must be on disk now.
    void finish();
    // Whether a sync failed since the last call.
    bool takeFailure();

private:
    void run();

    QMutex m_mutex;
    QWaitCondition m_wake;
    QWaitCondition m_idle;
    int m_handle = -1;
    bool m_pending = false;
    bool m_busy = false;
    bool m_stop = false;
    bool m_failed = false;
    std::unique_ptr<QThread> m_thread;

    Q_DISABLE_COPY(DiskSync)
};
