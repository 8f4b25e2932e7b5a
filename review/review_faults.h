// What the review finds and why it proposes, as values: a fault of a value or a cell, and the reason
// of a suggestion, each a type and its arguments. Checks and rules return these; the sentences are
// made from them in one place (review_wording.cpp) when the notes are written, and no code compares a
// sentence.
#pragma once

#include "fields/known_fields.h"

#include <QDate>
#include <QString>

enum class FaultType {
    None,
    // A single value by its kind.
    IdRegion,
    IdBirthDate,
    IdOld15, // the holder's own number, of the old kind: noted, but no fault to fix
    IdLength,
    IdDigits,
    IdLast,
    IdBornLater,
    IdBornBefore1900,
    IdCheckDigit,
    IdLowerX,
    MobileCountryCode,
    MobileSeparators,
    MobileLength,
    MobilePrefix,
    Email,
    Date,
    BornLater,
    AddressTooLong,
    NoAddress,
    FullWidth,
    FullWidthAlnum,
    FullWidthDigits,
    Landline,
    Phone,
    Gender,
    Age,
    StudentNumber,
    Ethnicity,
    PoliticalStatus,
    Qq,
    WeChat,
    PostCode,
    Education,
    Invisible,
    // A cell: text: the label, the value, the numbering or the separator; kind: the kind it looks like.
    Filler,
    HoldsLabel,
    IsLabel,
    HoldsNumbering,
    HoldsSeparator,
    OffPattern,
    LooksLikeKind,
    UncommonSurname,
    // The row against its ID number: male (number 1 or 0), the age (number), the birth date (date).
    GenderAgainstId,
    AgeAgainstId,
    BirthDateAgainstId,
    Count
};

struct Fault
{
    FaultType type = FaultType::None;
    QString text;
    FieldKind kind = FieldKind::Other;
    int number = 0;
    QDate date;

    Fault() = default;
    // A fault without arguments, or with a text.
    explicit Fault(FaultType type, const QString &text = QString())
        : type(type)
        , text(text)
    { }
    static Fault looksLike(FieldKind kind)
    {
        Fault fault(FaultType::LooksLikeKind);
        fault.kind = kind;
        return fault;
    }

    bool isNone() const { return type == FaultType::None; }
    bool operator==(const Fault &other) const
    {
        return type == other.type && text == other.text && kind == other.kind && number == other.number
            && date == other.date;
    }
};

enum class ReasonType {
    TakenFrom, // text: the token or cell it stands in
    CommonSurname,
    OnlyPassing,
    ShapeOf, // kind
    MoveTo, // text: the field's name
    CommonFiller,
    AfterLabel, // text: the label
    OnlyPhraseLeft,
    IsLabel, // text: the label word
    LooksLikeKind, // kind
    ReadFromPaste, // the reading of the whole paste, its labels and values, gives it
    Count
};

struct Reason
{
    ReasonType type = ReasonType::OnlyPassing;
    QString text;
    FieldKind kind = FieldKind::Other;

    Reason() = default;
    explicit Reason(ReasonType type)
        : type(type)
    { }
    Reason(ReasonType type, const QString &text, FieldKind kind = FieldKind::Other)
        : type(type)
        , text(text)
        , kind(kind)
    { }
};
