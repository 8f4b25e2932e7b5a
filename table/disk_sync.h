// Brings a file's written data to the disk on a thread of its own: a kill cannot lose what was
// written, only a power cut can, and that only until the sync a moment later; the window never waits
// for the disk.
#pragma once

#include <QMutex>
#include <QWaitCondition>

#include <memory>

class QFileDevice;
class QThread;

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
