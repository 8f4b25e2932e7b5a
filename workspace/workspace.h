// The data directory beside the executable and the process-wide object that holds its path.
#pragma once

#include <QString>
#include <QUrl>

class Workspace final
{
public:
    // Uses the running application's directory; needs a QCoreApplication.
    Workspace();
    // For a given application directory; the data directory is ensured all the same.
    explicit Workspace(const QString &applicationDir);

    const QString appDir; // always ends in "/"
    const QString dataDir; // appDir + "data/"

    Q_DISABLE_COPY(Workspace)
};

// Set once by the main window and never freed.
extern Workspace *workspace;

// Makes sure a directory exists at the path (parents included); true when it exists afterwards.
// Something other than a directory standing at the path is left alone and gives false.
bool ensureDirectory(const QString &path);

// Why nothing can be saved in the data directory, worded for the user; empty when it is a directory or
// missing (missing is made at start-up, or reported by the save that needs it).
QString dataDirectoryProblem(const QString &dataDir);

// Why nothing can be written in the data directory (it could not be made, or the folder refuses new
// files, as Program Files does), worded for the user with the path and what to do; empty when a file
// can be made there, and for a plain file in its place, which dataDirectoryProblem reports.
QString dataDirectoryWriteProblem(const QString &dataDir);

// The URL under which the desktop opens a local directory (drive letters, spaces and "#" included).
QUrl directoryUrl(const QString &path);
