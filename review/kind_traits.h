// What the review knows of each kind of field, in one table keyed by FieldKind: its check, its shape
// test, its canonical form, the wider kinds it takes, how its suggestions are found and how repeated
// values are compared. A kind's names, synonyms and label words are its lines in
// fields/known_fields.txt, found by its key (kindKey). A new kind is one row and its functions.
#pragma once

#include "fields/known_fields.h"
#include "review/review_faults.h"

#include <QDate>
#include <QString>

enum KindTrait : unsigned {
    // A name of a person or a thing: a wide pattern takes any Chinese text, so the text's own shape
    // says whether it belongs (像是学校).
    NamedValue = 1 << 0,
    // Names of things with no shape to speak of: a label's value counts as one unless it plainly is
    // something else.
    OpenShape = 1 << 1,
    // Values with loose shapes: a text of the shape may hold joining punctuation that cuts two values.
    LooseShape = 1 << 2,
    // A shape narrow enough that a text of it is surely meant for the field, even when it is faulty.
    NarrowShape = 1 << 3,
    // A date: its separators are part of it.
    DateValue = 1 << 4,
    // Written in ASCII through and through: any full-width form in it is a fault.
    AsciiValue = 1 << 5,
    // Told apart without regard to case: two repeats are the same value however each is written.
    CaselessValue = 1 << 6,
    // A shape that stands out of the text it is glued to (a number, an address, a date): the reading of
    // a paste cuts a value of it out wherever it is, and takes the one after a label of the kind.
    GluedShape = 1 << 7,
};

// How a field of the kind finds a value by its shape (suggestion_rules.cpp).
enum class ShapeRule {
    None, // the kind has no shape to go by
    Surname, // a name: by a common surname, its shape only when the field has no pattern
    Distinct, // a text of the shape is meant for the field even where the user's pattern is narrower
    Plain, // the shape the text's ending tells; any text of the shape when the field has no pattern
    PhraseLeft, // the one short phrase left that no other field takes
};

// Whether repeated values mark the same person twice.
enum class RepeatUse { None, Hard, Soft };

// What the row's ID number tells of its holder.
struct IdNumberFacts
{
    QDate birth;
    bool male = false;
    int age = 0; // on the review's day
};

struct KindTraits
{
    FieldKind kind;
    unsigned traits; // KindTrait flags
    FieldKind covers[2]; // the other kinds a field of this kind takes (Other fills the rest)
    Fault (*check)(const QString &value, const QDate &today); // null: no check
    bool (*shape)(const QString &plainText, const QDate &today); // null: no known shape
    QString (*canonical)(const QString &plainText); // null: text, only its letters and digits half-width
    ShapeRule suggest;
    RepeatUse repeats;
    FieldKind comparedAs; // the kind whose repeats it meets (a 联系电话 column a 手机 column)
    // Why the value disagrees with the row's ID number; null: the number tells nothing of the kind.
    Fault (*againstId)(const QString &value, const IdNumberFacts &id);

    bool has(KindTrait trait) const { return (traits & trait) != 0; }
};

const KindTraits &traitsOf(FieldKind kind);

// Whether a field of kind field takes a value whose own kind is value: the same kind, or a wider
// field (电话 takes mobile and landline numbers, any date field takes a date, 微信 a mobile number,
// 籍贯 an address).
bool kindCovers(FieldKind field, FieldKind value);

// Why the value breaks its kind's check; none when it passes or the kind has no check. A value that
// would pass but for full-width forms is said to hold them (含全角数字).
Fault valueProblem(FieldKind kind, const QString &value, const QDate &today);
// Whether the text has the shape of a value of the kind: a plausible value, not necessarily one that
// passes every check (a mobile number written in groups or after +86, an ID number with a wrong
// check digit, a date in any usual form). False for FieldKind::Other.
bool looksLike(FieldKind kind, const QString &text, const QDate &today);
// The text as a value of the kind should be written: half-width; numbers without the spaces and
// dashes between their groups and a mobile number without +86; an ID number's x made X.
QString canonicalValue(FieldKind kind, const QString &text);
