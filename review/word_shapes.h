// The shapes of values written in words: names, remarks, classes, grades and addresses.
#pragma once

#include "fields/known_fields.h"

#include <QDate>
#include <QString>

bool hasChinese(const QString &text);

struct AddressShape
{
    bool looks = false; // an address, perhaps only a province and a city
    bool plain = false; // down to a street or a door: 籍贯 is written with a province and a city too
};
AddressShape addressShape(const QString &text);

// 高三, 初二年级, 2019级.
bool looksLikeGrade(const QString &text);
// 计科1班, 高三(2)班, 软件2001, 大数据2001级.
bool looksLikeClass(const QString &text);
// Two to five Chinese characters that are nothing else people write, or a name joined by a dot.
bool looksLikeName(const QString &text);
// A college of a university (计算机学院), not a university or a school in a place: a department.
bool isCollegeName(const QString &text);
