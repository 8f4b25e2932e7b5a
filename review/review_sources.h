// The texts a suggestion may move: left-over tokens, the cells a check found faulty, and the pieces
// of either cut at a separator the rules do not know.
#pragma once

#include "review/text_facts.h"

#include <QString>
#include <QVector>

#include <vector>

class RecordContext;

// A text that stands in the record and could go to a field.
struct Source
{
    QString text;
    int cell = -1; // the field whose cell holds it, or -1 for a left-over token or a piece of one
    bool piece = false; // cut from a token or a cell at a separator the rules do not know
    QString whole; // the token or cell it stands in
    bool used = false; // proposed for a field: no other takes it
    TextFacts facts;
    bool cut = false; // cut into pieces that are values: only the pieces may move
};

struct Sources
{
    std::vector<Source> list;
    int wholeLeftovers = 0; // sources that are a whole left-over token
};

// Broken: per field, a check found a fault in its cell.
Sources collectSources(const RecordContext &record, const QVector<bool> &broken);
