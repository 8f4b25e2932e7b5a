#include "engine/engine_log.h"

Q_LOGGING_CATEGORY(lcEngine, "quorbel.engine")
