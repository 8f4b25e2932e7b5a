// Tells whether a window can be shown at all, before the platform plugin is loaded.
#pragma once

#include <QString>

// False with a reason when no display can be reached; true otherwise.
bool displayAvailable(QString *reason);
