// What a text is, worked out in one pass over it; the character classes it goes by are those of
// fields/character_classes.h, the endings those of the word lists.
#include "review/text_facts.h"

#include "fields/character_classes.h"
#include "review/kind_traits.h"
#include "review/word_lists.h"
#include "review/word_shapes.h"

#include <algorithm>

namespace {

// A bracket or colon that closes a label.
bool isClosingMark(QChar c)
{
    return isClosingBracket(c) || isColon(c);
}

// The field name (after opening brackets) or the label word that starts the text, the longer one,
// and the field it points to: the field of that name, else the first of the label's kind. Only with a
// value after it and whatever glue between.
void findGluedLabel(const QString &text, const QList<FieldDef> &fields, const QVector<FieldKind> &kinds,
                    TextFacts *facts)
{
    int start = 0;
    while (start < text.size() && isOpeningBracket(text.at(start)))
        ++start;
    const QStringRef rest = text.midRef(start);
    int best = -1;
    for (int f = 0; f < fields.size(); ++f) {
        const QString &name = fields.at(f).name;
        // The first character rules out nearly every name without a comparison of the whole.
        if (!name.isEmpty() && !rest.isEmpty() && rest.at(0) == name.at(0) && rest.startsWith(name)
            && (best < 0 || name.size() > fields.at(best).name.size()))
            best = f;
    }
    int at = best >= 0 ? start + fields.at(best).name.size() : 0;
    FieldKind kind = FieldKind::Other;
    const int labelled = labelPrefix(text, &kind);
    if (labelled > at) {
        int byKind = -1;
        for (int f = 0; f < fields.size() && byKind < 0; ++f) {
            if (kinds.at(f) == kind)
                byKind = f;
        }
        for (int f = 0; f < fields.size() && byKind < 0; ++f) {
            const FieldKind field = kinds.at(f);
            if (kindCovers(field, kind) || kindCovers(kind, field))
                byKind = f;
        }
        if (byKind >= 0) {
            best = byKind;
            at = labelled;
        }
    }
    if (best < 0)
        return;
    int labelEnd = at;
    while (labelEnd > start && isClosingMark(text.at(labelEnd - 1)))
        --labelEnd;
    while (at < text.size() && isGlue(text.at(at)))
        ++at;
    if (at < text.size()) {
        facts->gluedField = best;
        facts->gluedValueAt = at;
        facts->gluedLabelAt = start;
        facts->gluedLabelLength = labelEnd - start;
    }
}

bool holdsAny(QStringView text, QStringView characters)
{
    // Both are short: one pass over each, without a search call per character.
    for (const QChar c : text) {
        for (const QChar wanted : characters) {
            if (c == wanted)
                return true;
        }
    }
    return false;
}

// The characters that note a state: 已缴费, 未到, 待补交, 缺照片, 欠费, 补交, 已齐, 迟到, 晚到.
bool marksState(QChar c)
{
    switch (c.unicode()) {
    case u'已':
    case u'未':
    case u'待':
    case u'缺':
    case u'欠':
    case u'补':
    case u'齐':
    case u'迟':
    case u'晚':
        return true;
    default:
        return false;
    }
}

// Words to the reader ask (请), thank (谢, but not as a surname), address (您) or end as a question.
bool addressesReader(const QString &text)
{
    return holdsAny(text, u"请您") || text.indexOf(QChar(u'谢'), 1) > 0
        || (!text.isEmpty() && holdsAny(QStringView(text).right(1), u"吗呢吧啊"));
}

} // namespace

bool isJoiningPunctuation(QChar c)
{
    return QStringLiteral("-－—./／·~～+＋&＆_").contains(c);
}

int numberingLength(const QString &text)
{
    int at = 0;
    const bool bracket = text.startsWith(QLatin1Char('(')) || text.startsWith(QChar(u'（'));
    at += bracket;
    const int digits = at;
    while (at < text.size() && at - digits < 3 && text.at(at).isDigit())
        ++at;
    if (at == digits || at >= text.size())
        return 0;
    const QChar mark = text.at(at);
    const bool closes =
        bracket ? QStringLiteral(")）").contains(mark) : QStringLiteral(".．、)）").contains(mark);
    // A value must follow, and not a digit: 3.5 is a number, 2019.3.1 a date.
    if (!closes || at + 1 >= text.size() || text.at(at + 1).isDigit())
        return 0;
    return at + 1;
}

bool isGlue(QChar c)
{
    return isUnknownSeparator(c) || isClosingMark(c) || QStringLiteral("-－—~～.．·").contains(c);
}

FieldKind kindByShape(const QString &text)
{
    if (looksLikeGrade(text))
        return FieldKind::Grade;
    return kindByEnding(text);
}

TextFacts textFacts(const QString &text, const QList<FieldDef> &fields, const QVector<FieldKind> &kinds)
{
    TextFacts facts;
    bool letterOrNumber = false;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        const bool invisible = isInvisible(c);
        facts.invisible = facts.invisible || invisible;
        if (facts.separatorAt < 0 && (invisible || isUnknownSeparator(c)))
            facts.separatorAt = i;
        facts.fullWidth = facts.fullWidth || isFullWidthAlnum(c);
        letterOrNumber = letterOrNumber || c.isLetterOrNumber();
    }
    facts.shape = kindByShape(text);
    facts.filler = isFillerWord(text);
    facts.surname = startsWithCommonSurname(text);
    for (const FieldDef &field : fields)
        facts.fieldName = facts.fieldName
            || (field.name.size() == text.size() && (text.isEmpty() || field.name.at(0) == text.at(0))
                && field.name == text);
    facts.labelWord = labelKind(text);
    facts.toReader = addressesReader(text);
    facts.remark = isRemarkPhrase(text)
        || (!facts.toReader && facts.shape == FieldKind::Other
            && std::any_of(text.begin(), text.end(), marksState));
    facts.numbering = numberingLength(text);
    facts.noValue = facts.filler || facts.fieldName || facts.labelWord != FieldKind::Other || !letterOrNumber;
    if (facts.labelWord == FieldKind::Other)
        findGluedLabel(text, fields, kinds, &facts);
    return facts;
}
