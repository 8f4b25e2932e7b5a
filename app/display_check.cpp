#include "app/display_check.h"

#include <QtGlobal>

bool displayAvailable(QString *reason)
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    // Without these the xcb plugin aborts with a long, alarming message.
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") || !qEnvironmentVariableIsEmpty("DISPLAY")
        || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        return true;
    if (reason)
        *reason = QStringLiteral(
            "quorbel: no display available (DISPLAY is not set); start it from a desktop session");
    return false;
#else
    Q_UNUSED(reason)
    return true;
#endif
}
