// One worker thread, started with the first request. Requests that come while a sync runs are merged:
// one more sync after it covers them all.
#include "table/disk_sync.h"

#include <QFileDevice>
#include <QThread>

#ifdef Q_OS_WIN
#include <io.h>
#else
#include <unistd.h>
#endif

namespace {

bool syncHandle(int handle)
{
#ifdef Q_OS_WIN
    return _commit(handle) == 0;
#else
    return ::fsync(handle) == 0;
#endif
}

} // namespace

DiskSync::DiskSync() = default;

DiskSync::~DiskSync()
{
    if (!m_thread)
        return;
    {
        QMutexLocker lock(&m_mutex);
        m_stop = true;
        m_wake.wakeAll();
    }
    m_thread->wait();
}

bool DiskSync::request(QFileDevice *file)
{
    if (!file->flush())
        return false;
    if (!m_thread) {
        m_thread.reset(QThread::create([this] { run(); }));
        m_thread->start();
    }
    QMutexLocker lock(&m_mutex);
    m_handle = file->handle();
    m_pending = true;
    m_wake.wakeAll();
    return true;
}

void DiskSync::finish()
{
    QMutexLocker lock(&m_mutex);
    while (m_pending || m_busy)
        m_idle.wait(&m_mutex);
}

bool DiskSync::takeFailure()
{
    QMutexLocker lock(&m_mutex);
    const bool failed = m_failed;
    m_failed = false;
    return failed;
}

void DiskSync::run()
{
    QMutexLocker lock(&m_mutex);
    for (;;) {
        while (!m_pending && !m_stop)
            m_wake.wait(&m_mutex);
        if (!m_pending)
            return;
        const int handle = m_handle;
        m_pending = false;
        m_busy = true;
        lock.unlock();
        const bool synced = syncHandle(handle);
        lock.relock();
        m_busy = false;
        m_failed = m_failed || !synced;
        m_idle.wakeAll();
    }
}
