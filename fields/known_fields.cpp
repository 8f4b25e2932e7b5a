// The look-ups on the table of known fields: field names, label words and glued labels, kinds
// and presets.
#include "fields/known_fields.h"

#include "fields/character_classes.h"
#include "fields/known_fields_table.h"

#include <algorithm>

namespace {

bool isWordCharacter(QChar c)
{
    return c.isLetterOrNumber();
}

bool isAscii(const QString &text)
{
    for (const QChar c : text) {
        if (c.unicode() >= 0x80)
            return false;
    }
    return true;
}

// Whether the word's comparison form (normalizedFieldName) may be a label word, told from its first
// two characters without making it. Yes wherever the form of a character is not plain to see here
// (outside ASCII and the common Chinese characters, whose case folding may take more than one).
bool mayBeLabelWord(const QString &word, const KnownFieldsTable &known)
{
    ushort kept[2];
    int count = 0;
    for (const QChar original : word) {
        QChar c = original;
        if (original.unicode() < 0x4E00 || original.unicode() > 0x9FFF) {
            c = halfWidth(original);
            if (c.unicode() >= 0x80)
                return true;
            if (c.isSpace() || c.isPunct() || c.isSymbol())
                continue;
            c = c.toCaseFolded();
        }
        kept[count++] = c.unicode();
        if (count == 2)
            return known.labelPairs.contains(quint32(kept[0]) << 16 | kept[1]);
    }
    return true;
}

} // namespace

// The name with every bracketed remark taken out: 手机号（必填） → 手机号.
QString withoutBracketed(const QString &name)
{
    QString result;
    int depth = 0;
    for (const QChar c : name) {
        if (isOpeningBracket(c))
            ++depth;
        else if (isClosingBracket(c))
            depth = qMax(0, depth - 1);
        else if (depth == 0)
            result.append(c);
    }
    return result;
}

QString normalizedFieldName(const QString &name)
{
    QString result;
    result.reserve(name.size());
    for (const QChar original : name) {
        // A common Chinese character is a letter with no case: kept as it is.
        if (original.unicode() >= 0x4E00 && original.unicode() <= 0x9FFF) {
            result.append(original);
            continue;
        }
        const QChar c = halfWidth(original);
        if (c.isSpace() || c.isPunct() || c.isSymbol() || c.category() == QChar::Other_Format)
            continue;
        result.append(c);
    }
    return result.toCaseFolded();
}

QString presetPattern(const QString &name)
{
    for (const PresetPattern &preset : knownFieldsTable().presets) {
        if (preset.names.contains(name))
            return preset.pattern;
    }
    return QString();
}

FieldKind fieldKind(const QString &fieldName)
{
    const QHash<QString, FieldKind> &kinds = knownFieldsTable().kinds;
    // Most field names are written as the table has them.
    const auto asWritten = kinds.constFind(fieldName);
    if (asWritten != kinds.constEnd())
        return *asWritten;
    const QString name = normalizedFieldName(fieldName);
    const auto exact = kinds.constFind(name);
    if (exact != kinds.constEnd())
        return *exact;
    // 1.姓名, 电话2: a number before or after the name only counts the columns.
    int first = 0;
    int end = name.size();
    while (first < end && name.at(first).isDigit())
        ++first;
    while (end > first && name.at(end - 1).isDigit())
        --end;
    if (end > first && end - first < name.size())
        return fieldKind(name.mid(first, end - first));
    const QString plain = normalizedFieldName(withoutBracketed(fieldName));
    if (!plain.isEmpty() && plain != name)
        return fieldKind(plain);
    // 家长联系电话, 学校地址: the longest known name the field's name ends in, two characters at least.
    // No known name is longer than the longest in the table, so only the endings up to that length
    // are looked up: a name of megabytes costs one pass, not one copy per character.
    const int shortestFrom = qMax(1, name.size() - knownFieldsTable().longestName);
    for (int from = shortestFrom; from + 2 <= name.size(); ++from) {
        const auto ending = kinds.constFind(name.mid(from));
        if (ending != kinds.constEnd())
            return *ending;
    }
    return FieldKind::Other;
}

FieldKind labelKind(const QString &word)
{
    // Nearly every token asked about is a value: its first letter rules it out without a copy.
    const KnownFieldsTable &known = knownFieldsTable();
    const auto first = std::find_if(word.cbegin(), word.cend(), [](QChar c) { return c.isLetterOrNumber(); });
    if (first == word.cend() || !known.labelInitials.contains(halfWidth(*first).toCaseFolded().unicode())
        || !mayBeLabelWord(word, known))
        return FieldKind::Other;
    const QString key = normalizedFieldName(word);
    if (known.labels.value(key, LabelUse::None) == LabelUse::None)
        return FieldKind::Other;
    return known.kinds.value(key);
}

int labelPrefix(const QString &token, FieldKind *kind)
{
    const KnownFieldsTable &known = knownFieldsTable();
    // *姓名, ※手机: forms mark the fields that must be filled.
    int start = 0;
    while (start < token.size()
           && (token.at(start) == QLatin1Char('*') || token.at(start) == QChar(u'＊')
               || token.at(start) == QChar(u'※')))
        ++start;
    const bool opened = start < token.size() && isOpeningBracket(halfWidth(token.at(start)));
    if (opened)
        ++start;
    // The word's comparison form, grown a character at a time while it still begins some label
    // word; the longest label word met decides.
    QString key;
    QString found;
    int wordEnd = 0;
    for (int i = start; i < token.size(); ++i) {
        const QChar c = halfWidth(token.at(i));
        // Most tokens are values: their first letter rules them out before anything else is asked.
        if (key.isEmpty() && !known.labelInitials.contains(c.toCaseFolded().unicode()))
            break;
        if (isColon(c) || isOpeningBracket(c) || isClosingBracket(c))
            break;
        if (!isWordCharacter(c)) {
            // E-mail: punctuation inside a word is dropped, as in a field name.
            if (key.isEmpty())
                break;
            continue;
        }
        key.append(c.toCaseFolded());
        if (!known.labelBeginnings.contains(key))
            break;
        if (known.labels.value(key, LabelUse::None) != LabelUse::None) {
            found = key;
            wordEnd = i + 1;
        }
    }
    if (found.isEmpty())
        return 0;
    int end = wordEnd;
    bool closed = false;
    if (opened && end < token.size() && isClosingBracket(halfWidth(token.at(end)))) {
        ++end;
        closed = true;
    }
    while (end < token.size() && isColon(token.at(end))) {
        ++end;
        closed = true;
    }
    if (end < token.size() && !closed) {
        const QChar next = halfWidth(token.at(end));
        if (isAscii(found)) {
            // mailbox, mail123@qq.com: the letters run on into a value of their own.
            if ((next.unicode() < 0x80 && next.isLetter()) || token.contains(QLatin1Char('@')))
                return 0;
        } else if (known.labels.value(found) == LabelUse::Closed && next.unicode() >= 0x2E80) {
            return 0;
        }
    }
    if (kind)
        *kind = known.kinds.value(found);
    return end;
}

QString kindName(FieldKind kind)
{
    return knownFieldsTable().kindNames.value(int(kind));
}
