// Word lists the review goes by: common Chinese surnames, filler words that are no detail, place
// names and address words, ethnic groups, political statuses, levels of education, remark phrases
// and the endings that tell a school, a major or a company.
#pragma once

#include "fields/known_fields.h"

#include <QString>

// True when the text starts with a common single or double surname and has more after it.
bool startsWithCommonSurname(const QString &text);
// True for words such as 暂无 or 联系方式 that people write around their details.
bool isFillerWord(const QString &text);

// Length of the longest province, municipality or city name the text starts with; 0 when none.
int placeNamePrefix(const QString &text);
struct AddressMarkers
{
    int region = 0; // 省 市 区 县…
    int street = 0; // 路 街 号 栋 单元 室 村…
};
// How many different address words the text holds, of either level.
AddressMarkers addressMarkers(const QString &text);
// One of the 56 ethnic groups, with or without the ending 族.
bool isEthnicity(const QString &text);
// 中共党员, 共青团员, 群众 and the other usual ways of writing a political status.
bool isPoliticalStatus(const QString &text);
// 本科, 大专, 硕士研究生 and the other levels of education.
bool isEducation(const QString &text);
// A known remark phrase such as 已缴费 or 材料已交.
bool isRemarkPhrase(const QString &text);
// Whether the text holds a word remarks are made of (已, 未, 需, 请假, 住宿…).
bool holdsRemarkWord(const QString &text);
// The kind a text's ending tells (北京大学 a school, 软件工程 a major, 计科1班 a class, 销售部 a
// department, 某某有限公司 a company, 项目经理 a position); Other when none does. The text must be
// longer than the ending.
FieldKind kindByEnding(const QString &text);
// The kind whose ending the word itself is (经理 a position, 办公室 a department); Other when none.
FieldKind kindOfEndingWord(const QString &word);
