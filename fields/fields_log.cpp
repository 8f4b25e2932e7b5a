// The field file's logging category.
#include "fields/fields_log.h"

Q_LOGGING_CATEGORY(lcFieldFile, "quorbel.fields")
