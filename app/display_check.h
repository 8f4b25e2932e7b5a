// Tells whether a window can be shown at all, before the platform plugin is loaded.
#pragma once

#include <QString>

// False with a reason when no display can be reached; true otherwise, also when the command line
// names a platform plugin or an X display, which the toolkit then tries for itself.
bool displayAvailable(int argc, const char *const *argv, QString *reason);
