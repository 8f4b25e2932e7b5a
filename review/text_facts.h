// What a piece of text is, whatever field it is asked for: the characters that cut or glue it, the
// kind its ending tells, and a field name glued to its front.
#pragma once

#include "fields/field_catalogue.h"
#include "fields/known_fields.h"

#include <QChar>
#include <QList>
#include <QString>
#include <QVector>

// What may stand between a label and its value when the rules do not know it as a separator.
bool isGlue(QChar c);
// Punctuation that may join two values ("男-计算机", "张三/女") but also stands inside one (dates,
// e-mail addresses, landlines).
bool isJoiningPunctuation(QChar c);
// The length of list numbering glued to the front ("3.", "2、", "(4)"), 0 when there is none.
int numberingLength(const QString &text);

// The kind a text's shape tells (its ending, or a grade such as 高三), Other when it tells none.
FieldKind kindByShape(const QString &text);

struct TextFacts
{
    int gluedField = -1; // the field whose name or label word starts it, with a value after
    int gluedValueAt = 0; // where that value starts
    // The label as written, brackets and colon aside: where it stands in the text, so that the facts
    // hold no text of their own and are copied for nothing.
    int gluedLabelAt = 0;
    int gluedLabelLength = 0;
    FieldKind labelWord = FieldKind::Other; // the whole text is a label word of this kind
    bool fieldName = false; // the whole text is a field's name
    int separatorAt = -1; // the first separator the rules do not know, invisible ones included
    bool invisible = false; // holds an invisible character
    int numbering = 0; // list numbering glued to its front
    FieldKind shape = FieldKind::Other;
    bool filler = false;
    bool fullWidth = false; // holds full-width letters or digits
    bool surname = false; // starts with a common surname
    // Reads as a note of a state (已缴费, 待补交, 暂缺照片, 晚到一天), or as words to the reader
    // (请核对, 麻烦您了): neither is a name, a major, a school or a department.
    bool remark = false;
    bool toReader = false;
    bool noValue = false; // a field's name, a label word, a filler word or bare punctuation: no value
};

// With the fields' kinds, in field order.
TextFacts textFacts(const QString &text, const QList<FieldDef> &fields, const QVector<FieldKind> &kinds);
