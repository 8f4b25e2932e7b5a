// The rules that propose a value for a field, each only where exactly one text fits.
#pragma once

#include "review/suggestions.h"

class RecordContext;

// Every rule in turn over the sources, and again when a cell gave its text to another field and may
// take one of its own.
Suggestions runSuggestionRules(const RecordContext &record, const QVector<bool> &broken, Sources sources);
