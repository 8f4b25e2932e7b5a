// Start-up check for a reachable display, so a missing one gives one clear line instead of
// the platform plugin's abort, and the desktop's font resolution, which decides the scaling.
#include "app/display_check.h"

#include <QByteArray>
#include <QList>
#include <QtGlobal>

#include <cstdlib>
#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <xcb/xcb.h>

namespace {

bool connectsTo(const QByteArray &socketPath, bool abstract)
{
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    if (fd < 0)
        return true; // cannot tell; let the toolkit try
    sockaddr_un addr {};
    addr.sun_family = AF_UNIX;
    const int offset = abstract ? 1 : 0; // abstract names start with a zero byte
    const int length = qMin(int(sizeof(addr.sun_path)) - 1 - offset, socketPath.size());
    std::memcpy(addr.sun_path + offset, socketPath.constData(), size_t(length));
    const socklen_t size =
        socklen_t(offsetof(sockaddr_un, sun_path) + size_t(offset + length) + (abstract ? 0 : 1));
    const bool ok = ::connect(fd, reinterpret_cast<sockaddr *>(&addr), size) == 0;
    ::close(fd);
    return ok;
}

// Local X displays (":0", ":1.0", "unix:0") are probed on their socket; others are trusted.
bool xDisplayReachable(QByteArray display)
{
    if (display.startsWith("unix:"))
        display = display.mid(4);
    if (!display.startsWith(':'))
        return true;
    bool isNumber = false;
    const int number = display.mid(1).split('.').first().toInt(&isNumber);
    if (!isNumber)
        return true;
    const QByteArray path = "/tmp/.X11-unix/X" + QByteArray::number(number);
    return connectsTo(path, true) || connectsTo(path, false);
}

} // namespace

bool displayAvailable(int argc, const char *const *argv, QString *reason)
{
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        return true;
    for (int i = 1; i < argc; ++i) {
        if (qstrcmp(argv[i], "-platform") == 0 || qstrcmp(argv[i], "--platform") == 0)
            return true;
        // The X display named on the command line wins over DISPLAY; the toolkit reports its own failure.
        if ((qstrcmp(argv[i], "-display") == 0 || qstrcmp(argv[i], "--display") == 0) && i + 1 < argc)
            return true;
    }
    const QByteArray display = qgetenv("DISPLAY");
    if (display.isEmpty()) {
        if (reason)
            *reason = QStringLiteral(
                "quorbel: no display available (DISPLAY is not set); start it from a desktop session");
        return false;
    }
    if (!xDisplayReachable(display)) {
        if (reason)
            *reason = QStringLiteral("quorbel: no display available (cannot connect to X display %1)")
                          .arg(QString::fromLocal8Bit(display));
        return false;
    }
    return true;
}

int fontDpiFromResources(const QByteArray &resources)
{
    for (const QByteArray &line : resources.split('\n')) {
        if (!line.startsWith("Xft.dpi:"))
            continue;
        bool ok = false;
        const int dpi = line.mid(8).trimmed().toInt(&ok);
        return ok && dpi > 0 ? dpi : 0;
    }
    return 0;
}

int desktopFontDpi()
{
    int screen = 0;
    xcb_connection_t *connection = xcb_connect(nullptr, &screen);
    QByteArray resources;
    if (!xcb_connection_has_error(connection)) {
        // Desktops set it with xrdb on the first screen's root window, where the toolkit reads it too.
        const xcb_screen_t *root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
        const xcb_get_property_cookie_t cookie = xcb_get_property(
            connection, 0, root->root, XCB_ATOM_RESOURCE_MANAGER, XCB_ATOM_STRING, 0, 1 << 20);
        if (xcb_get_property_reply_t *reply = xcb_get_property_reply(connection, cookie, nullptr)) {
            resources = QByteArray(static_cast<const char *>(xcb_get_property_value(reply)),
                                   xcb_get_property_value_length(reply));
            std::free(reply);
        }
    }
    xcb_disconnect(connection);
    return fontDpiFromResources(resources);
}
