// Entry point of the desktop program: one window, scaled as the desktop asks, with Qt's own texts in
// Chinese, after checking on X11 that a display can be reached; a text file named on the command
// line opens in the import preview.
#ifdef QUORBEL_DISPLAY_CHECK
#include "app/display_check.h"
#endif
#include "app/application_setup.h"
#include "app/quorbel.h"

#include <QApplication>
#include <QIcon>

#include <cstdio>

int main(int argc, char **argv)
{
#ifdef QUORBEL_DISPLAY_CHECK
    QString reason;
    if (!displayAvailable(argc, argv, &reason)) {
        std::fprintf(stderr, "%s\n", qPrintable(reason));
        return 1;
    }
#endif
    setUpScaling();
    QCoreApplication::setApplicationName(QStringLiteral("Quorbel")); // names the user's data folder
    QApplication app(argc, argv);
    installQtTranslation(&app);
    QApplication::setWindowIcon(applicationIcon());
    QGuiApplication::setDesktopFileName(QStringLiteral("quorbel")); // the installed menu entry
    Quorbel window;
    window.show();
    window.importFileArgument(QApplication::arguments());
    return app.exec();
}
