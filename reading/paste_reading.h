// A reading of a whole paste, as a careful person fills the row: the user's field names and their
// synonyms as labels wherever they stand, values cut out by their shape or run from their label
// to the next, chat and other people's details left out, fields of one kind told apart by label and
// then by order. The record review offers it as its suggested row.
#pragma once

#include "engine/record_row.h"
#include "fields/field_catalogue.h"

#include <QString>

RecordRow readPaste(const QString &text, const QList<FieldDef> &fields);
