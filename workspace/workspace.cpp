// Where the program keeps its data, and making sure that place exists.
#include "workspace/workspace.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QTemporaryFile>

Q_LOGGING_CATEGORY(lcWorkspace, "quorbel.workspace")

Workspace *workspace = nullptr;

namespace {

QString withTrailingSlash(const QString &dir)
{
    return dir.endsWith(QLatin1Char('/')) ? dir : dir + QLatin1Char('/');
}

} // namespace

Workspace::Workspace()
    : Workspace(QCoreApplication::applicationDirPath())
{ }

Workspace::Workspace(const QString &applicationDir)
    : appDir(withTrailingSlash(applicationDir))
    , dataDir(appDir + QStringLiteral("data/"))
{
    ensureDirectory(dataDir);
}

bool ensureDirectory(const QString &path)
{
    // "data/" with its slash would not be found when a plain file has that name.
    const QFileInfo info(QDir::cleanPath(path));
    if (info.exists() && !info.isDir()) {
        // A user's file in the way is never deleted: saving will fail and say so instead.
        qCWarning(lcWorkspace).noquote() << "not a directory, left in place:" << path;
        return false;
    }
    if (info.isDir())
        return true;
    return QDir().mkpath(path);
}

QString dataDirectoryProblem(const QString &dataDir)
{
    const QFileInfo info(QDir::cleanPath(dataDir));
    if (!info.exists() || info.isDir())
        return QString();
    return QStringLiteral("数据目录的位置上有一个同名的文件，字段无法保存\n路径：%1").arg(info.filePath());
}

QString dataDirectoryWriteProblem(const QString &dataDir)
{
    const QFileInfo info(QDir::cleanPath(dataDir));
    if (info.exists() && !info.isDir())
        return QString();
    if (info.isDir()) {
        // Permission bits say too little (a folder's access list on Windows, root on Linux): only
        // making a file shows that saving will work.
        QTemporaryFile probe(info.filePath() + QStringLiteral("/.write-check-XXXXXX"));
        if (probe.open())
            return QString();
    }
    return QStringLiteral("程序所在的文件夹不可写入，字段无法保存。\n路径：%1\n"
                          "请把 Quorbel 文件夹移到桌面或“文档”等可写的位置")
        .arg(QDir::toNativeSeparators(info.filePath()));
}

QUrl directoryUrl(const QString &path)
{
    return QUrl::fromLocalFile(path);
}
