#include "fields/fields_log.h"

Q_LOGGING_CATEGORY(lcFieldFile, "quorbel.fields")
