// Whether a field list holds a field for long numbers, which a spreadsheet would mangle.
#pragma once

#include "fields/field_catalogue.h"

// True when some field's pattern asks for a run of ten or more digits.
bool hasLongNumberField(const QList<FieldDef> &fields);
