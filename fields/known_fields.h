// What a field name or a label word in a paste means: the known kinds of personal detail, the
// names and label words people use for each, and the ready-made pattern of the preset names. The
// table itself is the data file known_fields.txt beside this file.
#pragma once

#include <QString>

enum class FieldKind {
    Other,
    Name,
    Gender,
    Age,
    Class,
    Mobile,
    Landline,
    // A field for either a mobile or a landline number (电话, 联系电话, 联系方式).
    Phone,
    Email,
    StudentNumber,
    IdNumber,
    Major,
    School,
    Grade,
    BirthDate,
    // Any other date: 入职日期, 报到日期, 入学日期.
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
    // 学历: 本科, 大专, 硕士…
    Education,
};

// The preset pattern for a field name (exact, case-sensitive comparison), or the empty string.
QString presetPattern(const QString &name);

// The kind a field name means, as people type it: spaces, colons and other punctuation dropped,
// full-width letters and digits made half-width, case folded, then looked up among the names and
// synonyms; a name that ends in a known name (家长联系电话) or carries a bracketed remark
// (手机号（必填）) is read by that name. FieldKind::Other when nothing is known.
FieldKind fieldKind(const QString &fieldName);

// The kind of a label word as written in a paste: a whole token such as 手机号码：, 【联系电话】 or
// E-mail. FieldKind::Other when the word is no label word.
FieldKind labelKind(const QString &word);

// Length of the longest label word the token starts with, its opening bracket and its closing
// bracket or colon included ("【联系电话】" in "【联系电话】138…", "手机号码：" in "手机号码：138…");
// 0 when none. Equals the token's length when the whole token is a label word. A label glued to
// what follows without colon or bracket counts only where the join is plain (姓名张三, QQ123456),
// not where the word starts a value (专业技术学院, mail123@qq.com).
int labelPrefix(const QString &token, FieldKind *kind);

// The kind's usual Chinese name (手机号, 身份证号, 地址…) for sentences; empty for Other.
QString kindName(FieldKind kind);

// The comparison form of a name or label: spaces, punctuation and format characters dropped,
// full-width forms made half-width, case folded.
QString normalizedFieldName(const QString &name);
// The name with every bracketed remark taken out: 手机号（必填） → 手机号.
QString withoutBracketed(const QString &name);
