// Ready-made patterns for fields named after common kinds of personal detail.
#pragma once

#include <QString>

// The preset pattern for a field name (exact, case-sensitive comparison), or the empty string.
QString presetPattern(const QString &name);
