// Word lists the review goes by: common Chinese surnames, and filler words that are no detail.
#pragma once

#include <QString>

// True when the text starts with a common single or double surname and has more after it.
bool startsWithCommonSurname(const QString &text);
// True for words such as 暂无 or 联系方式 that people write around their details.
bool isFillerWord(const QString &text);
