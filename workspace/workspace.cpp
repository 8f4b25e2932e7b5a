// Where the program keeps its data, and making sure that place exists.
#include "workspace/workspace.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QStandardPaths>
#include <QTemporaryFile>

Q_LOGGING_CATEGORY(lcWorkspace, "quorbel.workspace")

Workspace *workspace = nullptr;

namespace {

QString withTrailingSlash(const QString &dir)
{
    return dir.isEmpty() || dir.endsWith(QLatin1Char('/')) ? dir : dir + QLatin1Char('/');
}

// Permission bits say too little (a folder's access list on Windows, root on Linux): only making a
// file shows that saving will work.
bool canCreateFileIn(const QString &dir)
{
    QTemporaryFile probe(QDir::cleanPath(dir) + QStringLiteral("/.write-check-XXXXXX"));
    return probe.open();
}

bool installedCopy(const QString &appDir)
{
    return QFileInfo::exists(appDir + QStringLiteral("uninstall.exe"))
        || QFileInfo::exists(appDir + QStringLiteral("../share/applications/quorbel.desktop"));
}

} // namespace

Workspace::Workspace()
    : Workspace(QCoreApplication::applicationDirPath(), userDataDirectory())
{ }

Workspace::Workspace(const QString &applicationDir, const QString &userDataDir)
    : appDir(withTrailingSlash(applicationDir))
    , dataDir(chooseDataDirectory(appDir, userDataDir))
{
    qCDebug(lcWorkspace).noquote() << "data folder:" << dataDir;
    ensureDirectory(dataDir);
}

QString userDataDirectory()
{
    return withTrailingSlash(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
}

QString chooseDataDirectory(const QString &applicationDir, const QString &userDataDir)
{
    const QString appDir = withTrailingSlash(applicationDir);
    const QString besideProgram = appDir + QStringLiteral("data/");
    if (userDataDir.isEmpty())
        return besideProgram;
    if (!installedCopy(appDir)) {
        // A missing data/ is made at start-up where the program's folder takes new entries; a plain
        // file of that name is someone's and stays.
        const QFileInfo data(QDir::cleanPath(besideProgram));
        if (data.isDir() ? canCreateFileIn(besideProgram) : !data.exists() && canCreateFileIn(appDir))
            return besideProgram;
    }
    return withTrailingSlash(userDataDir);
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

QString dataDirectoryWriteProblem(const QString &dataDir, bool portable)
{
    const QFileInfo info(QDir::cleanPath(dataDir));
    if (info.exists() && !info.isDir())
        return QString();
    if (info.isDir() && canCreateFileIn(info.filePath()))
        return QString();
    const QString path = QDir::toNativeSeparators(info.filePath());
    if (!portable)
        return QStringLiteral("用户数据文件夹不可写入，字段无法保存。\n路径：%1\n请检查这个文件夹的权限")
            .arg(path);
    return QStringLiteral("程序所在的文件夹不可写入，字段无法保存。\n路径：%1\n"
                          "请把 Quorbel 文件夹移到桌面或“文档”等可写的位置")
        .arg(path);
}

QUrl directoryUrl(const QString &path)
{
    return QUrl::fromLocalFile(path);
}
