// The rules that pair labels and values by their order in the text, and join a number written in
// groups.
#pragma once

#include "fields/known_fields.h"

#include <QString>
#include <QVector>

class RecordContext;
struct Suggestions;

// A label and the value its place in the text gives it, with the kind the label word names.
struct LabelledText
{
    QString label;
    FieldKind kind = FieldKind::Other;
    QString value;
};

// A line of labels over a line of values, paired by position, then a label word and the token after
// it. They depend on the text alone: found once for the record, however often the rules run.
QVector<LabelledText> labelledTexts(const RecordContext &record);
// Proposes each value for the open field its label points to, in the pairs' order.
void proposeFromLabels(const RecordContext &record, const QVector<LabelledText> &pairs,
                       Suggestions *suggestions);
// Adjacent left-over groups of digits that together are one value of an open field's kind.
void proposeJoined(const RecordContext &record, Suggestions *suggestions);
