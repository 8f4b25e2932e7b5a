// Rank decides when one word could label several things: a field's exact name beats its head word,
// which beats a kind's synonym, which beats someone else's label and a label of nothing.
#include "reading/field_labels.h"

#include "engine/pattern_check.h"
#include "engine/pattern_sense.h"
#include "fields/character_classes.h"
#include "fields/known_fields_table.h"
#include "review/kind_traits.h"

#include <QRegExp>

namespace {

enum Rank { ForeignRank, OtherRank, KindRank, HeadRank, NameRank };

// A field's name or a label phrase without its words around the head: 所在部门 → 部门, 宿舍号 → 宿舍.
QString headWord(const QString &word)
{
    const ReadingWords &words = readingWords();
    QString head = word;
    for (bool cut = true; cut;) {
        cut = false;
        for (const QString &prefix : words.prefixes) {
            // The first character rules out most words before any comparison.
            if (head.size() >= prefix.size() + 2 && prefix.at(0) == head.at(0) && head.startsWith(prefix)) {
                head = head.mid(prefix.size());
                cut = true;
                break;
            }
        }
    }
    for (const QString &suffix : words.suffixes) {
        if (head.size() >= suffix.size() + 2 && suffix.back() == head.back() && head.endsWith(suffix)) {
            head.chop(suffix.size());
            break;
        }
    }
    return head;
}

ExtraKind extraKindOf(const QString &name)
{
    const ReadingWords &words = readingWords();
    for (auto it = words.extraKinds.cbegin(); it != words.extraKinds.cend(); ++it) {
        if (name.contains(it.key()))
            return it.value();
    }
    return ExtraKind::None;
}

} // namespace

QString normalizedLabel(const QString &name)
{
    // A bracketed remark says how to fill the field (（选填）, (必填)), not what it holds; a name in
    // brackets as a whole (【姓名】) keeps its word.
    const QString normalized = normalizedFieldName(withoutBracketed(name));
    return normalized.isEmpty() ? normalizedFieldName(name) : normalized;
}

FieldLabels::FieldLabels(const QList<FieldDef> &fields)
{
    for (int f = 0; f < fields.size(); ++f) {
        const QString name = normalizedLabel(fields.at(f).name);
        FieldKind kind = fieldKind(fields.at(f).name);
        if (kind == FieldKind::Other)
            kind = fieldKind(name);
        if (kind == FieldKind::Other && readingWords().sameAs.contains(name))
            kind = fieldKind(readingWords().sameAs.value(name));
        names.append(name);
        kinds.append(kind);
        extras.append(kind == FieldKind::Other ? extraKindOf(name) : ExtraKind::None);
        validPattern.append(patternSense(fields.at(f).pattern) == PatternSense::Usable);
        patterns.append(fields.at(f).pattern);
    }
    const ReadingWords &words = readingWords();
    for (int f = 0; f < fields.size(); ++f) {
        FieldLabel label;
        label.target = FieldLabel::Target::Field;
        label.field = f;
        label.kind = kinds.at(f);
        label.extra = extras.at(f);
        label.closed = knownFieldsTable().labels.value(names.at(f), LabelUse::Plain) == LabelUse::Closed;
        add(names.at(f), label, NameRank);
        const QString head = headWord(names.at(f));
        if (head != names.at(f))
            add(head, label, HeadRank);
        if (label.extra != ExtraKind::None) {
            for (auto it = words.extraKinds.cbegin(); it != words.extraKinds.cend(); ++it) {
                if (it.value() == label.extra)
                    add(it.key(), label, HeadRank);
            }
        }
    }
    // The known kinds' names: a label of the list's own fields of that kind, else of nothing asked.
    const KnownFieldsTable &table = knownFieldsTable();
    for (auto it = table.labels.cbegin(); it != table.labels.cend(); ++it) {
        if (it.value() == LabelUse::None)
            continue;
        FieldLabel label;
        label.kind = table.kinds.value(it.key(), FieldKind::Other);
        label.closed = it.value() == LabelUse::Closed;
        bool asked = false;
        for (int f = 0; f < count() && !asked; ++f)
            asked = kindCovers(kinds.at(f), label.kind) || kindCovers(label.kind, kinds.at(f));
        label.target = asked ? FieldLabel::Target::Kind : FieldLabel::Target::Foreign;
        add(it.key(), label, asked ? KindRank : ForeignRank);
    }
    for (auto it = words.sameAs.cbegin(); it != words.sameAs.cend(); ++it) {
        FieldLabel label;
        label.kind = fieldKind(it.value());
        bool asked = false;
        for (int f = 0; f < count() && !asked; ++f)
            asked = kindCovers(kinds.at(f), label.kind) || kindCovers(label.kind, kinds.at(f));
        label.target = asked ? FieldLabel::Target::Kind : FieldLabel::Target::Foreign;
        add(it.key(), label, asked ? KindRank : ForeignRank);
    }
    // A word of an extra kind no field has labels nothing asked (宿舍 in a list without one); 是否
    // starts a question and labels nothing by itself.
    for (auto it = words.extraKinds.cbegin(); it != words.extraKinds.cend(); ++it) {
        FieldLabel label;
        label.extra = it.value();
        if (it.value() != ExtraKind::YesNo)
            add(it.key(), label, ForeignRank);
    }
    for (const QString &word : words.others) {
        FieldLabel label;
        label.target = FieldLabel::Target::Other;
        add(word, label, OtherRank);
    }
    for (const QString &word : words.foreignLabels)
        add(word, FieldLabel(), ForeignRank);
}

void FieldLabels::add(const QString &word, const FieldLabel &label, int rank)
{
    if (word.size() < 2 && !(word.size() == 1 && word.at(0).unicode() > 0x2e80 && rank >= HeadRank))
        return;
    const auto found = ranks.constFind(word);
    if (found != ranks.cend() && found.value() >= rank)
        return;
    FieldLabel stored = label;
    stored.known = true;
    stored.own = rank >= HeadRank;
    labels.insert(word, stored);
    ranks.insert(word, rank);
    longest = qMax(longest, word.size());
    Start &start = starts[uint(word.at(0).unicode()) << 16 | (word.size() > 1 ? word.at(1).unicode() : 0)];
    start.longest = qMax(start.longest, int(word.size()));
    start.lengths |= lengthBit(word.size());
}

bool FieldLabels::find(const QString &word, FieldLabel *label) const
{
    const auto found = labels.constFind(word);
    if (found == labels.cend())
        return false;
    *label = found.value();
    return true;
}

FieldLabel FieldLabels::resolvePhrase(const QString &phrase, bool *listed) const
{
    const QString word = normalizedLabel(phrase);
    FieldLabel label;
    const bool isWord = find(word, &label);
    if (listed)
        *listed = isWord;
    if (isWord)
        return label;
    const QString head = headWord(word);
    if (head != word && find(head, &label))
        return label;
    // Someone else's: 紧急联系人电话, 父亲手机.
    for (const QString &other : readingWords().others) {
        if (word.startsWith(other)) {
            label = FieldLabel();
            label.target = FieldLabel::Target::Other;
            return label;
        }
    }
    // A known label it ends in (收件人电话 → 电话, 最高学历院校 → 院校); the longest that is one.
    for (int from = 1; from + 2 <= word.size() && from <= 4; ++from) {
        if (find(word.mid(from), &label) && label.target != FieldLabel::Target::Other)
            return label;
    }
    // A word of an extra kind anywhere in it (宿舍房间号).
    // 是否 starts many questions (是否需要发票): only the field's own words say which.
    const ExtraKind found = extraKindOf(word);
    const ExtraKind extra = found == ExtraKind::YesNo ? ExtraKind::None : found;
    for (int f = 0; f < count() && extra != ExtraKind::None; ++f) {
        if (extras.at(f) == extra) {
            label = FieldLabel();
            label.target = FieldLabel::Target::Field;
            label.field = f;
            label.extra = extra;
            return label;
        }
    }
    return FieldLabel();
}
