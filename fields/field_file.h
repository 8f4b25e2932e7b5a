// The field file's flat tag format: the tag functions, the conversion to and from a field list,
// and reading and writing the file itself.
#pragma once

#include "fields/field_catalogue.h"

#include <QString>
#include <QStringList>

// Contents of every opening/closing marker pair, in order; an unclosed pair and what follows are dropped.
QStringList textsBetween(const QString &text, const QString &openMarker, const QString &closeMarker);
// textsBetween with "<tag>" and "</tag>".
QStringList tagElements(const QString &text, const QString &tag);
// Content of the first element of that tag, or the empty string when it has none.
QString tagValue(const QString &text, const QString &tag);
// "<tag>value</tag>", the value copied verbatim.
QString wrapInTag(const QString &value, const QString &tag);

// The whole file text for a field list: elements back to back, nothing between or around them.
QString fieldsToText(const QList<FieldDef> &fields);
// One field per "field" element; a missing name or pattern reads as the empty text.
QList<FieldDef> fieldsFromText(const QString &text);

// Fields of an existing field file (UTF-8, a byte-order mark honoured, or GB18030 when the bytes are
// not UTF-8 but valid GB18030). False with a message for the user in *errorText when it cannot be
// read or is valid in neither encoding.
bool readFieldFile(const QString &path, QList<FieldDef> *fields, QString *errorText);
// Replaces the field file's content safely, as writeTextFile does.
bool writeFieldFile(const QString &path, const QList<FieldDef> &fields, QString *errorText);
