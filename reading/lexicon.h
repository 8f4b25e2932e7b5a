// What a Chinese word is, by jieba's dictionary: a place, an organisation or another common word.
// The resource is derived from the dictionary when the program is built (make_lexicon.py).
#pragma once

#include <QString>

enum class WordClass { None, Place, Organisation, Word };

// The class of the whole text as a dictionary word; None when the dictionary does not hold it.
WordClass wordClass(const QString &text);
// Length of the longest dictionary place name the text starts with (at most 8 characters), 0 if none.
int placePrefix(const QString &text);
