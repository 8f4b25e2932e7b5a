// The engine's logging category, on by default so its steps reach the debug stream.
#include "engine/engine_log.h"

Q_LOGGING_CATEGORY(lcEngine, "quorbel.engine")
