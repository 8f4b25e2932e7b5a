// The table of known fields as the program holds it, read once from the embedded data file
// known_fields.txt: per kind its name for sentences, its field names and label words (in their
// comparison form) and the preset patterns.
#pragma once

#include "fields/known_fields.h"

#include <QHash>
#include <QSet>
#include <QStringList>
#include <QVector>

enum class LabelUse {
    None, // names a field, is no label word in a paste
    Plain, // a label word, glued to its value or not
    Closed, // a label word glued to Chinese text only with a colon or bracket between
};

struct PresetPattern
{
    QStringList names;
    QString pattern;
};

struct KnownFieldsTable
{
    QHash<QString, FieldKind> kinds;
    QHash<QString, LabelUse> labels;
    QHash<int, QString> kindNames;
    QVector<PresetPattern> presets;
    // Every beginning of a label word, the words themselves included: a glued label is read
    // character by character, and most tokens stop at their first.
    QSet<QString> labelBeginnings;
    QSet<ushort> labelInitials;
    // The first two characters of every label word of two or more, the first in the high half.
    QSet<quint32> labelPairs;
    int longestName = 0; // in its comparison form
};

const KnownFieldsTable &knownFieldsTable();
