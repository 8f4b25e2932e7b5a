// Where the program keeps its data, and the process-wide object that holds that folder's path.
#pragma once

#include <QString>
#include <QUrl>

class Workspace final
{
public:
    // Uses the running application's directory and the user's data folder; needs a QCoreApplication.
    Workspace();
    // For given folders: see chooseDataDirectory. The folder chosen is made if it is missing.
    Workspace(const QString &applicationDir, const QString &userDataDir);

    const QString appDir; // always ends in "/"
    const QString dataDir; // appDir + "data/" for a portable copy, else the user's data folder; ends in "/"

    // The data lives in data/ beside the program.
    bool portable() const { return dataDir == appDir + QStringLiteral("data/"); }

    Q_DISABLE_COPY(Workspace)
};

// Set once by the main window and never freed.
extern Workspace *workspace;

// The user's own data folder for the program, ending in "/": ~/.local/share/Quorbel/ on Linux and
// %APPDATA%/Quorbel/ on Windows, once the program has named the application "Quorbel"
// (QCoreApplication::setApplicationName), as both programs do. Empty when the system names none.
QString userDataDirectory();

// Where a program in applicationDir keeps its data: data/ beside it when that folder can hold it (a
// portable copy), else userDataDir. A copy that was installed (the setup program's uninstaller beside
// it, or the menu entry in share/ beside its bin/) always uses userDataDir, so that an uninstall or an
// upgrade never takes the user's fields with it. Makes nothing; never moves or copies a field file.
QString chooseDataDirectory(const QString &applicationDir, const QString &userDataDir);

// Makes sure a directory exists at the path (parents included); true when it exists afterwards.
// Something other than a directory standing at the path is left alone and gives false.
bool ensureDirectory(const QString &path);

// Why nothing can be saved in the data directory, worded for the user; empty when it is a directory or
// missing (missing is made at start-up, or reported by the save that needs it).
QString dataDirectoryProblem(const QString &dataDir);

// Why nothing can be written in the data directory (it could not be made, or the folder refuses new
// files), worded for the user with the path and what to do: move the program for a portable copy,
// look at the folder otherwise. Empty when a file can be made there, and for a plain file in its
// place, which dataDirectoryProblem reports.
QString dataDirectoryWriteProblem(const QString &dataDir, bool portable = true);

// The URL under which the desktop opens a local directory (drive letters, spaces and "#" included).
QUrl directoryUrl(const QString &path);
