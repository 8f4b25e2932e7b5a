// Asks the X display, before the platform plugin is loaded, whether a window can be shown at all and
// what resolution the desktop set for its fonts.
#pragma once

#include <QByteArray>
#include <QString>

// False with a reason when no display can be reached; true otherwise, also when the command line
// names a platform plugin or an X display, which the toolkit then tries for itself.
bool displayAvailable(int argc, const char *const *argv, QString *reason);

// The desktop's font resolution (Xft.dpi) as the X display's resource database holds it; 0 when the
// display cannot be reached or sets none.
int desktopFontDpi();

// Xft.dpi read from the text of an X resource database; 0 when it is missing or not a positive number.
int fontDpiFromResources(const QByteArray &resources);
