// What a field holds, told by its name: the names that have preset patterns, and a few more
// that the value checks and suggestions know.
#pragma once

#include <QDate>
#include <QString>

enum class FieldKind {
    Other,
    Name,
    Gender,
    Age,
    Class,
    Mobile,
    Landline,
    Phone,
    Email,
    StudentNumber,
    IdNumber,
    Major,
    School,
    Grade,
    BirthDate,
    Date,
    Address,
    Remark,
    Department,
    Ethnicity,
    Qq,
    WeChat,
    PoliticalStatus,
    NativePlace,
    Position,
    EmployeeNumber,
    Company,
    PostCode,
};

FieldKind fieldKind(const QString &name);
// Temporary stand-ins until the table of known fields lands.
FieldKind labelKind(const QString &word);
int labelPrefix(const QString &token, FieldKind *kind);
QString kindName(FieldKind kind);
bool kindCovers(FieldKind field, FieldKind value);
bool looksLike(FieldKind kind, const QString &text, const QDate &today);
FieldKind plainKind(const QString &text, const QDate &today);
