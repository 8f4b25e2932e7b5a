// Entry point of the desktop program: one window, scaled for high-DPI screens, after checking on X11
// that a display can be reached.
#ifdef QUORBEL_DISPLAY_CHECK
#include "app/display_check.h"
#endif
#include "app/quorbel.h"

#include <QApplication>

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
    // Scaling has to be chosen before the application exists; 150 % stays 1.5 instead of being
    // rounded to 2, so the window keeps its proportions on the usual laptop setting.
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
    QCoreApplication::setAttribute(Qt::AA_UseHighDpiPixmaps);
#if QT_VERSION >= QT_VERSION_CHECK(5, 14, 0)
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(Qt::HighDpiScaleFactorRoundingPolicy::PassThrough);
#endif
    QApplication app(argc, argv);
    Quorbel window;
    window.show();
    return app.exec();
}
