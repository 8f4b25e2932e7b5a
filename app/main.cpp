// Entry point of the desktop program: one window, after checking that a display can be reached.
#include "app/display_check.h"
#include "app/quorbel.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char **argv)
{
    QString reason;
    if (!displayAvailable(argc, argv, &reason)) {
        std::fprintf(stderr, "%s\n", qPrintable(reason));
        return 1;
    }
    QApplication app(argc, argv);
    Quorbel window;
    window.show();
    return app.exec();
}
