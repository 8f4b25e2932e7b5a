// What a field holds, told by its name: the names that have preset patterns, and a few more
// that the value checks and suggestions know.
#pragma once

#include <QString>

enum class FieldKind {
    Other,
    Name,
    Gender,
    Age,
    Class,
    Mobile,
    Email,
    StudentNumber,
    IdNumber,
    Major,
    School,
    Grade,
    BirthDate,
    Department,
};

FieldKind fieldKind(const QString &name);
