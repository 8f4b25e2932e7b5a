// One worker thread, started with the first request. Requests that come while a sync runs are merged:
// one more sync after it covers them all.
#include "table/disk_sync.h"

#include <QDir>
#include <QFile>
#include <QThread>

#include <cstdio>

#ifdef Q_OS_WIN
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace {

bool syncHandle(int handle)
{
    if (handle < 0)
        return false;
#ifdef Q_OS_WIN
    return _commit(handle) == 0;
#else
    return ::fsync(handle) == 0;
#endif
}

} // namespace

bool openSyncable(QFile *file, const QString &path, bool truncate)
{
    // Through the C library: QFile hands back its descriptor, which fsync and _commit take.
#ifdef Q_OS_WIN
    FILE *stream = _wfopen(reinterpret_cast<const wchar_t *>(QDir::toNativeSeparators(path).utf16()),
                           truncate ? L"wb" : L"ab");
#else
    FILE *stream = std::fopen(QFile::encodeName(path).constData(), truncate ? "wb" : "ab");
#endif
    if (!stream)
        return false;
    if (!file->open(stream, QIODevice::WriteOnly | QIODevice::Append, QFileDevice::AutoCloseHandle)) {
        std::fclose(stream);
        return false;
    }
    return true;
}

bool syncFile(QFileDevice *file)
{
    return file->flush() && syncHandle(file->handle());
}

bool replaceFile(const QString &from, const QString &to)
{
#ifdef Q_OS_WIN
    return MoveFileExW(reinterpret_cast<const wchar_t *>(QDir::toNativeSeparators(from).utf16()),
                       reinterpret_cast<const wchar_t *>(QDir::toNativeSeparators(to).utf16()),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
#else
    return std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
#endif
}

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
