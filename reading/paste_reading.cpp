// The reading goes line by line. First the labels: a phrase before a colon or in brackets, and any
// label word of the list where it stands at the start of a piece (or after a word such as 所在 or
// 本人). Each label takes its value from the text after it: a shaped value by its shape, an address
// over spaces and commas, a remark to the end of its sentence, any other value up to the next
// separator. What no label took is cut at separators and around shaped values, stripped of lead-in
// words, and read by its shape or its words; chat is dropped. Labelled values go to their fields
// first, then the rest in the order of the paste to the first open field of their kind.
#include "reading/paste_reading.h"

#include "fields/character_classes.h"
#include "reading/field_labels.h"
#include "reading/lexicon.h"
#include "reading/reading_words.h"
#include "reading/value_spans.h"
#include "review/id_numbers.h"
#include "review/kind_traits.h"
#include "review/word_lists.h"

#include <QMutex>
#include <QRegExp>
#include <QRegularExpression>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

// What a piece of the paste is: a kind of field, a kind only this reading knows, or a bare number
// or code whose field its length and the fields' patterns decide.
struct Sort
{
    FieldKind kind = FieldKind::Other;
    ExtraKind extra = ExtraKind::None;
    bool number = false; // digits alone
    bool code = false; // letters and digits (FL-1149)
};

struct Piece
{
    QString text;
    Sort sort;
    int field = -1; // the field its label names
    FieldLabel label;
    bool labelled = false;
    bool correction = false; // after 打错了，正确的是: replaces the value of its kind
};

bool isChinese(QChar c)
{
    return c.unicode() >= 0x3400 && c.unicode() <= 0x9fff;
}

// Brackets, and the quotation marks people write around a label as brackets ("姓名", “手机”).
bool isOpeningBracketChar(QChar c)
{
    return isOpeningBracket(c) || isOpeningQuote(c);
}

bool isClosingBracketChar(QChar c)
{
    return isClosingBracket(c) || isClosingQuote(c);
}

// Where one value ends and another may start; '-' and '.' stand inside values too and are left out.
bool isSeparator(QChar c)
{
    switch (halfWidth(c).unicode()) {
    case ',':
    case '!':
    case '?':
    case '~':
    case 0x3002:
    case 0x3001:
    case 0x2026:
        return true;
    default:
        // Chinese characters, most of a paste, are none of the rest.
        if (c.unicode() >= 0x4e00 && c.unicode() <= 0x9fff)
            return false;
        return isInvisible(c) || isColon(c) || isUnknownSeparator(c) || isOpeningBracketChar(c)
            || isClosingBracketChar(c);
    }
}

// Symbols and pictographs (emoji and the like) say nothing; they separate.
bool isSymbol(QChar c)
{
    const ushort u = c.unicode();
    return c.isSurrogate() || (u >= 0x2190 && u <= 0x2BFF) || u == 0xFE0F || u == 0x200D
        || c.category() == QChar::Symbol_Other;
}

// Half-width, invisible characters and symbols made spaces, TAB kept (it marks spreadsheet cells).
QString normalizedLine(const QString &line)
{
    QString h = halfWidth(line);
    for (int i = 0; i < h.size(); ++i) {
        const QChar c = h.at(i);
        // Printable ASCII and Chinese characters, most of a paste, are neither.
        if (c == QLatin1Char('\t') || (c.unicode() >= 0x20 && c.unicode() < 0x7f)
            || (c.unicode() >= 0x4e00 && c.unicode() <= 0x9fff))
            continue;
        if (isSymbol(c) || (isInvisible(c) && c != QLatin1Char(' ')))
            h[i] = QLatin1Char(' ');
    }
    return h;
}

// List numbering at the front of a line (1. 2、 (3) ③; 6.2025年… too, since no decimal has four
// digits after the point in a paste of personal details) and @mentions anywhere.
QString withoutNumbering(const QString &line)
{
    static const QRegularExpression numbering(QStringLiteral(
        "^\\s*(?:\\(\\d{1,2}\\)|\\d{1,2}(?:[、)]|\\.(?!\\d)|\\.(?=\\d{4}))|[\\x{2460}-\\x{2473}])\\s*"));
    static const QRegularExpression mention(QStringLiteral("@\\S+"));
    // An e-mail address has a word character on both sides of its @ (ASCII ones, as \w reads them).
    const auto isWordChar = [](QChar c) {
        return c.unicode() < 0x80 && (c.isLetterOrNumber() || c == QLatin1Char('_'));
    };
    bool email = false;
    for (int at = line.indexOf(QLatin1Char('@')); at >= 0 && !email;
         at = line.indexOf(QLatin1Char('@'), at + 1))
        email = at > 0 && at + 1 < line.size() && isWordChar(line.at(at - 1)) && isWordChar(line.at(at + 1));
    QString out = line;
    if (out.contains(QLatin1Char('@')) && !email)
        out.replace(mention, QStringLiteral(" "));
    // Numbering starts with a digit, a bracket or a circled number after the spaces at the front.
    const auto first = std::find_if(out.cbegin(), out.cend(), [](QChar c) { return !c.isSpace(); });
    if (first != out.cend()
        && (first->isDigit() || *first == QLatin1Char('(')
            || (first->unicode() >= 0x2460 && first->unicode() <= 0x2473)))
        out.remove(numbering);
    return out;
}

bool isShapedKind(FieldKind kind)
{
    return traitsOf(kind).has(GluedShape);
}

// Whether a span of the shape can be a value of the kind, for a label of that kind.
bool spanFits(const ValueSpan &span, FieldKind kind)
{
    const int n = span.value.size();
    switch (kind) {
    case FieldKind::Mobile:
        return span.kind == SpanKind::Mobile;
    case FieldKind::Landline:
    case FieldKind::Phone:
        return span.kind == SpanKind::Mobile || span.kind == SpanKind::Landline
            || (span.kind == SpanKind::Digits && n >= 7 && n <= 8);
    case FieldKind::Email:
        return span.kind == SpanKind::Email;
    case FieldKind::IdNumber:
        return span.kind == SpanKind::IdNumber || (span.kind == SpanKind::Digits && n >= 15 && n <= 18);
    case FieldKind::BirthDate:
    case FieldKind::Date:
        return span.kind == SpanKind::Date || (span.kind == SpanKind::Digits && n == 8);
    case FieldKind::PostCode:
        return span.kind == SpanKind::Digits && n == 6;
    case FieldKind::Qq:
        return span.kind == SpanKind::Digits && n >= 5 && n <= 11;
    case FieldKind::StudentNumber:
    case FieldKind::EmployeeNumber:
        return span.kind == SpanKind::Digits || span.kind == SpanKind::IdNumber;
    case FieldKind::Age:
        return span.kind == SpanKind::Digits && n <= 3;
    case FieldKind::WeChat:
        return span.kind == SpanKind::Mobile || span.kind == SpanKind::Digits;
    default:
        return true;
    }
}

// A span stands as a value of its own, to be cut out of glued text: a long number or a shape.
bool standsAlone(const ValueSpan &span)
{
    return span.kind != SpanKind::Digits || span.value.size() >= 5;
}

bool looksLikeName(const QString &text);

// Whether the word stands in the text at the position; compared in place, as label words are
// sought at every character of a paste.
bool standsAt(const QString &text, int at, const QString &word)
{
    return at >= 0 && at <= text.size() - word.size()
        && std::equal(word.cbegin(), word.cend(), text.cbegin() + at);
}

// The word at from: up to the first separator.
QString wordAt(const QString &h, int from, int to)
{
    int end = from;
    while (end < to && !isSeparator(h.at(end)))
        ++end;
    return h.mid(from, end - from);
}

class Reader
{
public:
    Reader(const FieldLabels &labels, int fieldCount)
        : labels(labels)
        , row(fieldCount)
    { }

    void readLine(const QString &line);
    void readTable(const QStringList &heads, const QStringList &cells);
    RecordRow result();

    const FieldLabels &labels;
    QVector<QString> row;
    QVector<Piece> labelled;
    QVector<Piece> loose;
    bool addressOpen = false; // the last loose piece is an address its line may go on with
    bool correcting = false; // the next loose value corrects one given before

private:
    struct Hit
    {
        int start = 0;
        int end = 0; // after the label, its colon or closing bracket
        FieldLabel label;
        bool sticker = false; // [爱心]: no label, takes no value
        bool guessed = false; // a phrase before a colon that no table knows: a value itself if none follows
    };
    void closeSpacedLabels(QString *h) const;
    std::vector<Hit> findLabels(const QString &h, const QString &low, const QVector<ValueSpan> &spans) const;
    bool acceptWord(const QString &h, int end, const FieldLabel &label,
                    const QVector<ValueSpan> &spans) const;
    int takeValue(const QString &h, int from, int to, const FieldLabel &label,
                  const QVector<ValueSpan> &spans);
    int takeValues(const QString &h, const std::vector<Hit> &group, int to, const QVector<ValueSpan> &spans);
    void addLoose(const QString &h, int from, int to, const QVector<ValueSpan> &spans);
    void addLooseText(QString text);
    Sort sortOf(const QString &text) const;
    // The phrase's own check as a label word comes back with its resolved label: it is not looked up twice.
    FieldLabel resolve(const QString &phrase, bool *listed = nullptr) const
    {
        return labels.resolvePhrase(phrase, listed);
    }
    FieldKind labelKind(const FieldLabel &label) const
    {
        return label.target == FieldLabel::Target::Field ? labels.kinds.at(label.field) : label.kind;
    }
    bool hasKind(FieldKind kind) const { return labels.kinds.contains(kind); }
    bool fitsPattern(int f, const QString &value) const;
    bool place(const Piece &piece);
    int fieldFor(const Piece &piece) const;
};

bool Reader::fitsPattern(int f, const QString &value) const
{
    if (!labels.validPattern.at(f))
        return true;
    QRegExp pattern(labels.patterns.at(f));
    if (pattern.indexIn(value) >= 0)
        return true;
    // A code written in lower case or with a dash (fl1995, FL-1149) is the code the pattern means.
    QString code = value.toUpper();
    code.remove(QLatin1Char('-'));
    return code != value && pattern.indexIn(code) >= 0;
}

// A label phrase: a short run of letters or Chinese before a colon, or inside brackets.
bool isPhraseChar(QChar c)
{
    return isChinese(c) || c.isLetter() || c == QLatin1Char(' ');
}

std::vector<Reader::Hit> Reader::findLabels(const QString &h, const QString &low,
                                            const QVector<ValueSpan> &spans) const
{
    std::vector<Hit> hits;
    const int n = h.size();
    auto boundaryBefore = [&](int i) {
        return i == 0 || isSeparator(h.at(i - 1)) || isColon(h.at(i - 1)) || h.at(i - 1).isDigit()
            || h.at(i - 1) == QLatin1Char('-');
    };
    int i = 0;
    while (i < n) {
        const QChar c = h.at(i);
        // 【联系电话】, [学号], 「备注」: a label of the list, or a label of nothing.
        if (isOpeningBracketChar(c)) {
            // The phrase may hold a bracketed remark of its own: 「备注（选填）」.
            int close = i + 1;
            int depth = 0;
            while (close < n && close - i <= 16 && (depth > 0 || !isClosingBracketChar(h.at(close)))
                   && (isPhraseChar(h.at(close)) || h.at(close) == QLatin1Char('(')
                       || h.at(close) == QLatin1Char(')'))) {
                depth += h.at(close) == QLatin1Char('(') ? 1 : h.at(close) == QLatin1Char(')') ? -1 : 0;
                ++close;
            }
            if (close < n && close > i + 1 && isClosingBracketChar(h.at(close))) {
                const QString phrase = h.mid(i + 1, close - i - 1).trimmed();
                Hit hit { i, close + 1, resolve(phrase) };
                FieldLabel known;
                // 否（当天返回）: round brackets right after a value remark on it.
                const bool afterValue =
                    c == QLatin1Char('(') && i > 0 && !isSeparator(h.at(i - 1)) && !isColon(h.at(i - 1));
                const bool isLabel = labels.find(normalizedFieldName(phrase), &known)
                    || hit.label.target != FieldLabel::Target::Foreign || (phrase.size() > 4 && !afterValue);
                if (isLabel || (phrase.size() <= 4 && !afterValue)) {
                    // A short unknown word in brackets is a sticker ([爱心], [OK]) and says nothing.
                    if (!isLabel) {
                        hit.label = FieldLabel();
                        hit.sticker = true;
                    }
                    hits.push_back(hit);
                    i = close + 1;
                    continue;
                }
            }
        }
        // 与户主关系：, 收件人电话:, 身份证No.: a phrase before a colon, at the start of a piece.
        if (isPhraseChar(c) && c != QLatin1Char(' ') && boundaryBefore(i)) {
            int end = i;
            while (end < n && end - i <= 8 && isPhraseChar(h.at(end)) && !isColon(h.at(end)))
                ++end;
            if (end < n && end > i && isColon(h.at(end))) {
                const QString phrase = h.mid(i, end - i).trimmed();
                bool listed = false;
                const FieldLabel label = resolve(phrase, &listed);
                // Colons separate values too: 浙江大学：…, 何兰梓：…, 女：… are values, and 性别女：… is
                // a label with its value, which the word scan below reads.
                bool isPhrase = phrase.size() >= 2 && !phrase.contains(QLatin1Char(' ')) && !isChat(phrase)
                    && !isFillerWord(phrase);
                if (isPhrase && !listed) {
                    const Sort own = sortOf(phrase);
                    isPhrase = own.kind == FieldKind::Other && own.extra == ExtraKind::None && !own.code;
                }
                if (isPhrase && !listed) {
                    for (int length = qMin(labels.longest, phrase.size() - 1); length >= 2; --length) {
                        FieldLabel start;
                        if (labels.find(low.mid(i, length), &start)
                            && start.target != FieldLabel::Target::Foreign
                            && labelKind(start) != labelKind(label)) {
                            isPhrase = false;
                            break;
                        }
                    }
                }
                if (isPhrase) {
                    // 所在部门岗位：, 学院专业：: two labels written as one share the values after them.
                    if (!listed) {
                        for (int cut = 2; cut + 2 <= phrase.size(); ++cut) {
                            // 收件人电话 is one label: a word put before labels is no label of its own.
                            if (readingWords().prefixes.contains(phrase.left(cut)))
                                continue;
                            const FieldLabel first = resolve(phrase.left(cut));
                            const FieldLabel second = resolve(phrase.mid(cut));
                            if (first.known && second.known && first.target != FieldLabel::Target::Foreign
                                && second.target != FieldLabel::Target::Foreign
                                && labelKind(first) != labelKind(second)) {
                                hits.push_back({ i, i + cut, first });
                                hits.push_back({ i + cut, end + 1, second });
                                break;
                            }
                        }
                        if (!hits.empty() && hits.back().end == end + 1) {
                            i = end + 1;
                            continue;
                        }
                    }
                    hits.push_back(
                        { i, end + 1, label, false, !listed && label.target == FieldLabel::Target::Foreign });
                    i = end + 1;
                    continue;
                }
            }
        }
        // A label word of the list where it stands: alone, glued to its value, after 所在 or 本人.
        if (i + 1 < n && labels.mayStart(low.at(i), low.at(i + 1))) {
            bool found = false;
            for (int length = qMin(labels.longestFrom(low.at(i), low.at(i + 1)), n - i);
                 length >= 2 && !found; --length) {
                FieldLabel label;
                if (!labels.mayHave(low.at(i), low.at(i + 1), length)
                    || !labels.find(QString::fromRawData(low.constData() + i, length), &label))
                    continue;
                int start = i;
                if (!boundaryBefore(i)) {
                    start = -1;
                    for (const QString &prefix : readingWords().prefixes) {
                        const int p = i - prefix.size();
                        if (standsAt(h, p, prefix) && boundaryBefore(p)) {
                            start = p;
                            break;
                        }
                    }
                    // 苏悦学号2024…, 澹台蓉性别女: a label glued after a value.
                    const FieldKind kind = labelKind(label);
                    if (start < 0
                        && (isShapedKind(kind)
                            || (label.target == FieldLabel::Target::Field && !label.closed && label.own))
                        && acceptWord(h, i + length, label, spans) && i + length < n
                        && (!isSeparator(h.at(i + length)) || isColon(h.at(i + length)))) {
                        // …unless the label word ends a value (小学三年级：).
                        int word = i;
                        while (!boundaryBefore(word))
                            --word;
                        if (sortOf(h.mid(word, i + length - word)).kind == FieldKind::Other)
                            start = i;
                    }
                }
                if (start < 0 || !acceptWord(h, i + length, label, spans))
                    continue;
                int end = i + length;
                // 报名人数 is 报名 and 人数, not 报名人 and 数: a prefix word and a label that ends later.
                for (const QString &prefix : readingWords().prefixes) {
                    if (prefix.size() > length || !standsAt(h, i, prefix))
                        continue;
                    const int from = i + prefix.size();
                    for (int more = qMin(labels.longest, n - from); from + more > end; --more) {
                        FieldLabel longer;
                        if ((more < 2 || labels.mayHave(low.at(from), low.at(from + 1), more))
                            && labels.find(QString::fromRawData(low.constData() + from, more), &longer)
                            && longer.target != FieldLabel::Target::Foreign) {
                            label = longer;
                            end = from + more;
                            break;
                        }
                    }
                }
                // 户主姓名, 居民姓名: a word before a label word is part of the label.
                for (int more = qMin(labels.longest, n - end); more >= 2; --more) {
                    FieldLabel next;
                    if (labels.mayHave(low.at(end), low.at(end + 1), more)
                        && labels.find(QString::fromRawData(low.constData() + end, more), &next)
                        && next.target != FieldLabel::Target::Foreign
                        && labelKind(next) == labelKind(label)) {
                        label = next;
                        end += more;
                        break;
                    }
                }
                // 寝室号, 单位名称: a word after the head word.
                for (const QString &suffix : readingWords().suffixes) {
                    if (standsAt(h, end, suffix) && end + suffix.size() < n
                        && (isColon(h.at(end + suffix.size()))
                            || h.at(end + suffix.size()) == QLatin1Char(' ')
                            || h.at(end + suffix.size()).isDigit())) {
                        end += suffix.size();
                        break;
                    }
                }
                // 备注（选填）：: the field's own remark on how to fill it belongs to the label.
                if (end < n && h.at(end) == QLatin1Char('(')) {
                    const int close = h.indexOf(QLatin1Char(')'), end);
                    if (close > end && close - end <= 6 && close + 1 < n
                        && (isColon(h.at(close + 1)) || h.at(close + 1) == QLatin1Char(' ')))
                        end = close + 1;
                }
                if (end < n && isColon(h.at(end)))
                    ++end;
                hits.push_back({ start, end, label });
                i = end;
                found = true;
            }
            if (found)
                continue;
        }
        ++i;
    }
    return hits;
}

// 姓 名, 手机 号: a label written with a space inside it is read without the space.
void Reader::closeSpacedLabels(QString *h) const
{
    for (int space = 1; space + 1 < h->size(); ++space) {
        if (h->at(space) != QLatin1Char(' ') || !isChinese(h->at(space - 1)) || !isChinese(h->at(space + 1)))
            continue;
        const auto inside = [h](int at) {
            return h->at(at) == QLatin1Char(' ') && at + 1 < h->size() && isChinese(h->at(at - 1))
                && isChinese(h->at(at + 1));
        };
        // Label words that could hold this space start a few characters before it.
        for (int i = qMax(0, space - 6); i < space; ++i) {
            // Only where a label word may start: the first two characters, a space inside skipped.
            if (labels.longest < 2 || !labels.mayStart(h->at(i), h->at(inside(i + 1) ? i + 2 : i + 1)))
                continue;
            // The characters from i with single spaces between Chinese ones left out, and where each was.
            QString compact;
            QVector<int> from;
            for (int at = i; at < h->size() && compact.size() < labels.longest; ++at) {
                if (at > i && inside(at))
                    continue;
                compact.append(h->at(at));
                from.append(at);
            }
            if (compact.size() < 2 || !labels.mayStart(compact.at(0), compact.at(1)))
                continue;
            int length = compact.size();
            FieldLabel label;
            while (length >= 2
                   && !(labels.find(compact.left(length), &label)
                        && label.target != FieldLabel::Target::Foreign))
                --length;
            if (length >= 2 && from.at(length - 1) > space) {
                h->replace(i, from.at(length - 1) - i + 1, compact.left(length));
                break;
            }
        }
    }
}

bool Reader::acceptWord(const QString &h, int end, const FieldLabel &label,
                        const QVector<ValueSpan> &spans) const
{
    int k = end;
    while (k < h.size() && h.at(k) == QLatin1Char(' '))
        ++k;
    if (k >= h.size() || isColon(h.at(k)) || isSeparator(h.at(k)) || h.at(k) == QLatin1Char('-'))
        return true;
    const FieldKind kind = labelKind(label);
    // A word that often starts a value (专业技术学院) is a label only with a colon, a bracket or a
    // space after it.
    if (label.closed && k == end && isChinese(h.at(k))) {
        // 单位绵阳市…法院, 学院建筑与设计学院: glued, but to a value its ending shows to be of the kind.
        int stop = k;
        while (stop < h.size() && !isSeparator(h.at(stop)))
            ++stop;
        const QString rest = h.mid(k, stop - k);
        const FieldKind own = sortOf(rest).kind;
        return (own != FieldKind::Other && (own == kind || kindCovers(kind, own)))
            || (kind == FieldKind::Remark && holdsRemarkWord(rest)); // 说明已交押金
    }
    if (isShapedKind(kind)) {
        // 电话打错了: a number's label needs the number after it.
        int v = k;
        if (v < h.size() && (h.at(v) == QChar(0x662f) || h.at(v) == QChar(0x4e3a))) // 是 为
            ++v;
        for (const ValueSpan &span : spans) {
            if (span.start >= v && span.start <= v + 1 && spanFits(span, kind))
                return true;
        }
        return kind == FieldKind::Age && h.at(k).isDigit();
    }
    return true;
}

// The value after a label, in [from, to): returns where it ends.
int Reader::takeValue(const QString &h, int from, int to, const FieldLabel &label,
                      const QVector<ValueSpan> &spans)
{
    while (from < to
           && (h.at(from) == QLatin1Char(' ') || isColon(h.at(from)) || h.at(from) == QLatin1Char('-')))
        ++from;
    if (from + 1 < to && (h.at(from) == QChar(0x662f) || h.at(from) == QChar(0x4e3a))
        && !isSeparator(h.at(from + 1))) // 是 为
        ++from;
    if (from >= to)
        return from;
    const FieldKind kind = labelKind(label);
    const ExtraKind extra =
        label.target == FieldLabel::Target::Field ? labels.extras.at(label.field) : label.extra;
    Piece piece;
    piece.label = label;
    piece.labelled = true;
    piece.field = label.target == FieldLabel::Target::Field ? label.field : -1;
    piece.sort.kind = kind;
    piece.sort.extra = extra;
    int end = from;
    const ValueSpan *first = nullptr;
    for (const ValueSpan &span : spans) {
        if (span.start >= from && span.start < to) {
            first = &span;
            break;
        }
    }
    // A label of nothing asked is followed by its own value, not by a shaped one of the list's.
    if (first && first->start == from && label.target == FieldLabel::Target::Foreign && standsAlone(*first)
        && (!label.known
            || (label.kind != FieldKind::Other
                && (!isShapedKind(label.kind) || !spanFits(*first, label.kind)))))
        return from;
    if (first && first->start == from && first->end <= to && isShapedKind(kind) && spanFits(*first, kind)) {
        piece.text = first->kind == SpanKind::Mobile || first->kind == SpanKind::IdNumber
            ? first->value
            : h.mid(from, first->end - from);
        end = first->end;
        if (kind == FieldKind::Age) {
            if (h.midRef(end, 2) == QStringLiteral("周岁"))
                end += 2;
            else if (end < to && h.at(end) == QChar(0x5c81)) // 岁
                ++end;
            piece.text = h.mid(from, end - from);
        }
    } else if (isShapedKind(kind) && label.target != FieldLabel::Target::Field) {
        // A label of a shaped kind without its shape after it takes nothing.
        return from;
    } else if (kind == FieldKind::Address && looksLikeName(wordAt(h, from, to))) {
        // 地址：陆俊海；…: a name where the address should be is read on its own.
        return from;
    } else if (kind == FieldKind::Address) {
        // An address runs over spaces and commas while its pieces read as parts of an address.
        QString value;
        int at = from;
        while (at < to) {
            int pieceEnd = at;
            while (pieceEnd < to && !h.at(pieceEnd).isSpace()
                   && !QStringLiteral(",，、;；|/。!?~:=").contains(h.at(pieceEnd)))
                ++pieceEnd;
            // …1802室多谢: the part without the chat glued to it, and the address ends there.
            const QString whole = h.mid(at, pieceEnd - at);
            const QString part = withoutChatTail(whole);
            const bool lastPart = part.size() < whole.size();
            if (!part.isEmpty()) {
                bool shaped = false;
                for (const ValueSpan &span : spans) {
                    if (span.start >= at && span.start < pieceEnd && span.kind != SpanKind::Digits)
                        shaped = true;
                }
                const AddressMarkers markers = addressMarkers(part);
                const bool addressLike =
                    markers.region + markers.street > 0 || placeNamePrefix(part) > 0 || placePrefix(part) > 0;
                if (!value.isEmpty() && (shaped || !addressLike || isChat(part)))
                    break;
                if (value.isEmpty() && (shaped || isChat(part)))
                    break;
                value += part;
                end = pieceEnd;
            }
            if (lastPart || (pieceEnd < to && QStringLiteral(";；|/。!?~:=").contains(h.at(pieceEnd))))
                break;
            at = pieceEnd;
            while (at < to && (h.at(at).isSpace() || QStringLiteral(",，、").contains(h.at(at))))
                ++at;
        }
        while (!value.isEmpty() && QStringLiteral("-_#").contains(value.back()))
            value.chop(1);
        piece.text = value;
    } else if (kind == FieldKind::Remark) {
        // A remark runs to the end of its sentence, commas and 、 included.
        end = from;
        while (end < to && !h.at(end).isSpace() && !QStringLiteral(";；|。:=").contains(h.at(end)))
            ++end;
        piece.text = h.mid(from, end - from);
        // …、以下是我的信息: chat after the remark is not part of it.
        for (int cut = int(piece.text.size()) - 1; cut > 0; --cut) {
            const QChar c = piece.text.at(cut);
            if ((c == QLatin1Char(',') || c == QChar(0x3001)) && isChat(piece.text.mid(cut + 1))) {
                piece.text.truncate(cut);
                end = from + cut;
            }
        }
        while (!piece.text.isEmpty() && isSeparator(piece.text.back()))
            piece.text.chop(1);
    } else {
        end = from;
        while (end < to && !isSeparator(h.at(end))) {
            bool spanStart = false;
            for (const ValueSpan &span : spans) {
                // C17328: a number glued to letters is part of one code.
                if (span.start == end && end > from && standsAlone(span)
                    && !(span.kind == SpanKind::Digits && h.at(end - 1).unicode() < 0x80
                         && h.at(end - 1).isLetter()))
                    spanStart = true;
            }
            if (spanStart)
                break;
            ++end;
        }
        if (end < to && end > from && h.at(end) == QLatin1Char('(')) {
            const int close = h.indexOf(QLatin1Char(')'), end);
            if (close > end && close < to && close - end <= 12) {
                // 高三(2)班: the word goes on after its brackets.
                end = close + 1;
                while (end < to && !isSeparator(h.at(end)))
                    ++end;
            }
        }
        // Lucas Meyer: a name in letters goes on over its space.
        if (kind == FieldKind::Name && end + 1 < to && h.at(end) == QLatin1Char(' ') && end > from
            && h.at(end - 1).isLetter() && h.at(end - 1).unicode() < 0x80 && h.at(end + 1).isUpper()) {
            ++end;
            while (end < to && h.at(end).isLetter() && h.at(end).unicode() < 0x80)
                ++end;
        }
        // 高二(5)班-请老师查收, 物流管理-: no chat, no dash at the end of a value.
        piece.text = withoutLeadIn(h.mid(from, end - from));
        for (int dash = piece.text.indexOf(QLatin1Char('-')); dash > 0;
             dash = piece.text.indexOf(QLatin1Char('-'), dash + 1)) {
            if (isChat(piece.text.mid(dash + 1))) {
                piece.text.truncate(dash);
                break;
            }
        }
        while (!piece.text.isEmpty() && QStringLiteral("-_.#").contains(piece.text.back()))
            piece.text.chop(1);
        // 男-汉族 after 性别/民族: the first value is the label's, the rest is read on its own.
        const int dash = piece.text.indexOf(QLatin1Char('-'));
        if (dash > 0 && dash + 1 < piece.text.size() && isChinese(piece.text.at(dash - 1))
            && isChinese(piece.text.at(dash + 1)) && sortOf(piece.text.left(dash)).kind != FieldKind::Other
            && sortOf(piece.text.mid(dash + 1)).kind != FieldKind::Other) {
            end = from + piece.text.size() - (piece.text.size() - dash);
            piece.text = piece.text.left(dash);
        }
        // A value that plainly is of another kind is read on its own: 民族：男 after 性别/民族, or
        // 江西理工大学 after an addressee's name and a colon.
        const Sort own = sortOf(piece.text);
        static const QVector<FieldKind> plain { FieldKind::Gender, FieldKind::Ethnicity,
                                                FieldKind::PoliticalStatus, FieldKind::Education,
                                                FieldKind::Grade };
        const bool asked = own.kind != FieldKind::Other && own.kind != FieldKind::Remark && hasKind(own.kind);
        if ((plain.contains(own.kind) && own.kind != kind && asked)
            || (label.target == FieldLabel::Target::Foreign && own.kind != label.kind && asked))
            return from;
    }
    if (piece.text.isEmpty())
        return from;
    if (label.target == FieldLabel::Target::Field || label.target == FieldLabel::Target::Kind)
        labelled.append(piece);
    // Someone else's name is followed by their number: both are theirs.
    if (label.target == FieldLabel::Target::Other) {
        int next = end;
        while (next < to && (isSeparator(h.at(next)) || h.at(next) == QLatin1Char('-')))
            ++next;
        for (const ValueSpan &span : spans) {
            if (span.start == next && (span.kind == SpanKind::Mobile || span.kind == SpanKind::Landline))
                end = span.end;
        }
    }
    return end;
}

void Reader::addLoose(const QString &h, int from, int to, const QVector<ValueSpan> &spans)
{
    int at = from;
    for (const ValueSpan &span : spans) {
        if (span.end <= from || span.start >= to || !standsAlone(span))
            continue;
        // A number glued to letters is one code (fl1995).
        if (span.kind == SpanKind::Digits && span.start > from && h.at(span.start - 1).isLetter()
            && h.at(span.start - 1).unicode() < 0x80)
            continue;
        addLooseText(h.mid(at, span.start - at));
        addressOpen = false;
        Piece piece;
        piece.text = span.value;
        switch (span.kind) {
        case SpanKind::Email:
            piece.sort.kind = FieldKind::Email;
            break;
        case SpanKind::IdNumber:
            piece.sort.kind = FieldKind::IdNumber;
            break;
        case SpanKind::Mobile:
            piece.sort.kind = FieldKind::Mobile;
            break;
        case SpanKind::Landline:
            piece.sort.kind = FieldKind::Landline;
            break;
        case SpanKind::Date:
            // A date without a label in a person's details is most often the birth date.
            piece.sort.kind = FieldKind::BirthDate;
            break;
        case SpanKind::Digits:
            piece.sort.number = true;
            break;
        }
        piece.correction = correcting;
        correcting = false;
        loose.append(piece);
        at = span.end;
    }
    addLooseText(h.mid(at, to - at));
}

void Reader::addLooseText(QString text)
{
    int start = 0;
    for (int i = 0; i <= text.size(); ++i) {
        if (i < text.size() && !isSeparator(text.at(i)))
            continue;
        // 高三(2)班: a short bracketed part between words stays in the word.
        if (i < text.size() && text.at(i) == QLatin1Char('(') && i > start) {
            const int close = text.indexOf(QLatin1Char(')'), i);
            if (close > i + 1 && close - i <= 4 && close + 1 < text.size()
                && !isSeparator(text.at(close + 1))) {
                i = close;
                continue;
            }
        }
        if (i == start) { // separators in a row
            start = i + 1;
            continue;
        }
        QString part = text.mid(start, i - start);
        start = i + 1;
        while (!part.isEmpty() && QStringLiteral("-.#*:=_").contains(part.back()))
            part.chop(1);
        while (!part.isEmpty() && QStringLiteral("-.#*:=_").contains(part.front()))
            part.remove(0, 1);
        // Bare punctuation, a letter alone (N/A cut at its slash) or a filler word says nothing.
        const bool bare =
            std::none_of(part.cbegin(), part.cend(), [](QChar c) { return c.isLetterOrNumber(); })
            || (part.size() == 1 && part.at(0).unicode() < 0x80 && !part.at(0).isDigit());
        FieldLabel asLabel;
        // The part is cut at separators already: lower case is all the comparison form it lacks.
        if (part.isEmpty() || bare || isFillerWord(part) || labels.find(part.toLower(), &asLabel))
            continue;
        if (isCorrection(part))
            correcting = true;
        if (isChat(part)) {
            // 会务组老师好大同市文化和旅游局: a greeting glued before a value (not a label: 寄这个地址).
            part = afterChat(part);
            FieldLabel label;
            if (part.isEmpty() || labels.find(part.toLower(), &label))
                continue;
        }
        part = withoutLeadIn(part);
        if (isChat(part) || isFillerWord(part))
            continue;
        // 男-汉族, 女-方霞瑶-江西省: values joined by dashes between words, when each piece is one.
        // Only a dash before a word joins values; 23-2班 and 15-3-1002 keep theirs.
        QStringList pieces;
        for (int from = 0, at = part.indexOf(QLatin1Char('-')); at >= 0 && at <= part.size(); ++at) {
            if (at == part.size()
                || (part.at(at) == QLatin1Char('-') && at > from && at + 1 < part.size()
                    && isChinese(part.at(at + 1))
                    && (isChinese(part.at(at - 1)) || part.at(at - 1).isDigit()))) {
                pieces.append(part.mid(from, at - from));
                from = at + 1;
            }
        }
        if (pieces.size() > 1) {
            QVector<Sort> sorts;
            for (const QString &piece : pieces) {
                const Sort sort = sortOf(piece);
                if (sort.kind == FieldKind::Other)
                    break;
                sorts.append(sort);
            }
            if (sorts.size() == pieces.size()) {
                for (int p = 0; p < pieces.size(); ++p) {
                    loose.append({ pieces.at(p), sorts.at(p), -1, {}, false });
                    addressOpen = sorts.at(p).kind == FieldKind::Address;
                }
                continue;
            }
        }
        Sort sort = sortOf(part);
        if (std::all_of(part.cbegin(), part.cend(), [](QChar c) { return c.isDigit(); }))
            sort.number = true;
        // An address cut by spaces or commas: its parts join while they read as parts of one.
        if (addressOpen && !loose.isEmpty() && loose.back().sort.kind == FieldKind::Address && !sort.number) {
            const AddressMarkers markers = addressMarkers(part);
            const bool building = std::any_of(part.cbegin(), part.cend(), isChinese)
                && std::any_of(part.cbegin(), part.cend(), [](QChar c) { return c.isDigit(); });
            if (sort.kind == FieldKind::Address || placePrefix(part) > 0 || building
                || (markers.region > 0 && QStringLiteral("省市区县镇乡").contains(part.back()))) {
                loose.back().text += part;
                continue;
            }
        }
        loose.append({ part, sort, -1, {}, false });
        addressOpen = sort.kind == FieldKind::Address;
    }
}

bool looksLikeName(const QString &text)
{
    const bool foreignName =
        text.contains(QChar(0x00b7)) || text.contains(QChar(0x2022)) || text.contains(QChar(0x30fb));
    if (foreignName)
        return text.size() >= 4 && text.size() <= 16;
    // 柳北区, 陆良县: a place, though it starts with a surname.
    if (text.size() < 2 || text.size() > 4 || QStringLiteral("省市区县镇乡村路街").contains(text.back()))
        return false;
    for (const QChar c : text) {
        if (!isChinese(c))
            return false;
    }
    // A place name may be a person's too (罗阳); a common word or an organisation is not.
    if (!startsWithCommonSurname(text) || kindByEnding(text) != FieldKind::Other)
        return false;
    const WordClass cls = wordClass(text);
    return cls == WordClass::None || cls == WordClass::Place;
}

Sort Reader::sortOf(const QString &text) const
{
    static const QRegularExpression grade(
        QStringLiteral("^(?:[大研高初][一二三四五六]|(?:小学|初中|高中|大学)?[一二三四五六]年级|(?:20)?\\d{2}"
                       "级(?:本科|专科|研究生|新生)?"
                       "|(?:19|20)\\d{2}届)$"));
    static const QRegularExpression room(
        QStringLiteral("^\\D{0,4}?\\d{1,3}(?:栋|#|-|号楼|幢|舍)\\d{2,4}(?:室|房|号)?$"));
    static const QRegularExpression code(QStringLiteral("^[A-Za-z]{1,4}-?\\d{3,8}$"));
    static const QRegularExpression className(
        QStringLiteral("^(?:[\\x{4e00}-\\x{9fff}]{2,12}\\d{2,4}(?:-\\d{1,2})?|.{2,}\\d{1,2}班|.{2,}["
                       "一二三四五六七八九十]班)$"));
    static const QRegularExpression count(
        QStringLiteral("^(?:\\d{1,2}|[一二两三四五六七八九十]{1,2})[人位个名]$"));
    static const QRegularExpression yesNo(QStringLiteral("^(?:是|否|需要|不需要|住|不住|要|不要)$"));
    if (text.isEmpty())
        return Sort();
    // The expressions are asked only of texts that have what each needs.
    bool digit = false;
    bool letter = false;
    for (const QChar c : text) {
        digit = digit || c.isDigit();
        letter = letter || (c.unicode() < 0x80 && c.isLetter());
    }
    const QChar last = text.isEmpty() ? QChar() : text.back();
    Sort sort;
    if (text == QStringLiteral("男") || text == QStringLiteral("女") || text == QStringLiteral("男性")
        || text == QStringLiteral("女性")) {
        sort.kind = FieldKind::Gender;
    } else if (!digit && text.size() >= 2 && isEthnicity(text)) {
        sort.kind = FieldKind::Ethnicity;
    } else if (!digit && isPoliticalStatus(text)) {
        sort.kind = FieldKind::PoliticalStatus;
    } else if (!digit && isEducation(text)) {
        sort.kind = FieldKind::Education;
    } else if (text.size() <= 9 && QStringLiteral("一二三四五六级科生届").contains(last)
               && grade.match(text).hasMatch()) {
        sort.kind = FieldKind::Grade;
    } else if (digit && labels.extras.contains(ExtraKind::Room) && room.match(text).hasMatch()) {
        sort.extra = ExtraKind::Room;
    } else if (digit && letter && code.match(text).hasMatch()) {
        sort.code = true;
    } else if (QStringLiteral("人位个名").contains(last) && text.size() <= 3
               && count.match(text).hasMatch()) {
        sort.extra = ExtraKind::Count;
    } else if (text.size() <= 3 && yesNo.match(text).hasMatch()) {
        sort.extra = ExtraKind::YesNo;
    } else if (!digit && looksLikeName(text)) {
        sort.kind = FieldKind::Name;
    } else {
        FieldKind ending = kindByEnding(text);
        if (ending == FieldKind::Other && wordClass(text) == WordClass::Organisation)
            ending = FieldKind::Company;
        // A school, a department and an employer end alike (…学院, …中心): the list's own field decides.
        if (ending == FieldKind::Other && kindOfEndingWord(text) == FieldKind::Position)
            ending = FieldKind::Position; // 科长, 辅导员: the ending word alone
        // Only a 学院 is a department as well as a school; any school may be an employer.
        if (ending == FieldKind::School && !hasKind(FieldKind::School)) {
            if (text.endsWith(QStringLiteral("学院")) && hasKind(FieldKind::Department))
                ending = FieldKind::Department;
            else if (hasKind(FieldKind::Company))
                ending = FieldKind::Company;
        } else if (ending == FieldKind::School && hasKind(FieldKind::Department)
                   && text.endsWith(QStringLiteral("学院")) && placeNamePrefix(text) == 0
                   && placePrefix(text) == 0)
            ending = FieldKind::Department;
        else if (ending == FieldKind::Department && !hasKind(FieldKind::Department)
                 && hasKind(FieldKind::Company))
            ending = FieldKind::Company;
        else if (ending == FieldKind::Company && !hasKind(FieldKind::Company)
                 && hasKind(FieldKind::Department))
            ending = FieldKind::Department;
        const AddressMarkers markers = addressMarkers(text);
        const bool digits = std::any_of(text.cbegin(), text.cend(), [](QChar c) { return c.isDigit(); });
        const bool street = markers.street >= 1 && digits;
        const bool regionEnd = QStringLiteral("省市区县镇乡").contains(text.back());
        // Looked up only where it could decide.
        const auto place = [&text] { return placeNamePrefix(text) > 0 || placePrefix(text) > 0; };
        if ((ending == FieldKind::Other || street)
            && (markers.region + markers.street >= 2 || street
                || (markers.region + markers.street >= 1 && !(regionEnd && text.size() <= 6) && place())
                || (regionEnd && std::all_of(text.cbegin(), text.cend(), isChinese)
                    && (text.size() <= 6 || place()))))
            sort.kind = FieldKind::Address;
        else if (digits && ending != FieldKind::School && className.match(text).hasMatch())
            sort.kind = FieldKind::Class;
        else if (ending != FieldKind::Other)
            sort.kind = ending;
        else if (digit && room.match(text).hasMatch())
            sort.kind = FieldKind::Address;
        else if (isRemarkPhrase(text))
            sort.kind = FieldKind::Remark;
    }
    return sort;
}

void Reader::readLine(const QString &raw)
{
    QString h = withoutNumbering(normalizedLine(raw));
    // A quoted prompt (「请按 姓名 学号 专业 回复」) is the asker's words, not the person's details.
    static const QRegularExpression quoted(QStringLiteral("[「“『\"][^「“『\"」”』]{12,}[」”』\"]"));
    const auto opensQuote = [](QChar c) {
        return c == QChar(0x300c) || c == QChar(0x201c) || c == QChar(0x300e) || c == QLatin1Char('"');
    };
    if (std::any_of(h.cbegin(), h.cend(), opensQuote))
        h.replace(quoted, QStringLiteral(" "));
    // 回复 会务组：… : the one addressed, up to the colon, is no detail.
    for (const QString &word : readingWords().addressing) {
        if (h.isEmpty() || h.at(0) != word.at(0) || !h.startsWith(word))
            continue;
        const int colon = h.indexOf(QLatin1Char(':'));
        if (colon > word.size() && colon <= word.size() + 8
            && !h.midRef(word.size(), colon - word.size()).trimmed().contains(QLatin1Char(' ')))
            h.replace(0, colon + 1, QStringLiteral(" "));
    }
    addressOpen = false;
    if (h.trimmed().isEmpty())
        return;
    closeSpacedLabels(&h);
    const QString low = h.toLower();
    QVector<ValueSpan> spans = valueSpans(h);
    // E-mailxiaoming@…: a label glued before an address of letters is no part of it.
    for (ValueSpan &span : spans) {
        const int at = span.value.indexOf(QLatin1Char('@'));
        if (span.kind != SpanKind::Email || at < 0)
            continue;
        for (int length = qMin(labels.longest, at - 1); length >= 2; --length) {
            FieldLabel label;
            if (labels.find(low.mid(span.start, length), &label) && label.kind == FieldKind::Email) {
                span.start += length;
                span.value = span.value.mid(length);
                break;
            }
        }
    }
    const std::vector<Hit> hits = findLabels(h, low, spans);
    const int hitCount = int(hits.size());
    int at = 0;
    for (int k = 0; k < hitCount; ++k) {
        const Hit &hit = hits.at(k);
        addLoose(h, at, hit.start, spans);
        // 姓名/性别：端木翔/男, 所在部门、岗位：研发二组|工程师: labels in a row share the values
        // after the last, in their order.
        int last = k;
        while (!hits.at(last).sticker && last + 1 < hitCount && !hits.at(last + 1).sticker
               && !isColon(h.at(hits.at(last).end - 1))) {
            const QStringRef between =
                h.midRef(hits.at(last).end, hits.at(last + 1).start - hits.at(last).end);
            if (!std::all_of(between.cbegin(), between.cend(), [](QChar c) {
                    return QStringLiteral("/、,|&+ ").contains(c) || c == QChar(0x548c);
                }))
                break;
            ++last;
        }
        const int to = last + 1 < hitCount ? hits.at(last + 1).start : h.size();
        if (last > k) {
            at = takeValues(h, std::vector<Hit>(hits.begin() + k, hits.begin() + last + 1), to, spans);
            k = last;
        } else {
            at = hit.sticker ? hit.end : takeValue(h, hit.end, to, hit.label, spans);
            if (hit.guessed && at <= hit.end)
                addLoose(h, hit.start, hit.end, spans);
        }
        addressOpen = false;
    }
    addLoose(h, at, h.size(), spans);
}

int Reader::takeValues(const QString &h, const std::vector<Hit> &group, int to,
                       const QVector<ValueSpan> &spans)
{
    int at = group.back().end;
    for (int g = 0; g < int(group.size()) && at < to; ++g) {
        while (at < to && (h.at(at) == QLatin1Char(' ') || isColon(h.at(at))))
            ++at;
        int end = at;
        // A part ends at a joining mark; a dash only between words (a number keeps its dashes).
        while (end < to && !isUnknownSeparator(h.at(end)) && h.at(end) != QChar(u'、')
               && h.at(end) != QLatin1Char(',') && !h.at(end).isSpace()
               && !(h.at(end) == QLatin1Char('-') && end > at && !h.at(end - 1).isDigit()))
            ++end;
        const int taken = takeValue(h, at, end, group.at(g).label, spans);
        if (taken < end)
            addLoose(h, taken, end, spans);
        at = end < to ? end + 1 : end;
    }
    return qMin(at, to);
}

void Reader::readTable(const QStringList &heads, const QStringList &cells)
{
    for (int c = 0; c < heads.size() && c < cells.size(); ++c) {
        const QString cell = normalizedLine(cells.at(c)).trimmed();
        if (cell.isEmpty())
            continue;
        const FieldLabel label = resolve(heads.at(c));
        const QVector<ValueSpan> spans = valueSpans(cell);
        const int end = takeValue(cell, 0, cell.size(), label, spans);
        if (end < cell.size() && label.target == FieldLabel::Target::Foreign)
            continue;
        if (end == 0)
            addLoose(cell, 0, cell.size(), spans);
    }
}

// The field a piece goes to: its label's own field, else the first open field of its kind (or
// one that takes its kind), else a field whose pattern fits a number or a code.
int Reader::fieldFor(const Piece &piece) const
{
    const int count = labels.count();
    if (piece.field >= 0)
        return row.at(piece.field).isEmpty() ? piece.field : -1;
    const Sort &sort = piece.sort;
    if (sort.extra != ExtraKind::None) {
        for (int f = 0; f < count; ++f) {
            if (row.at(f).isEmpty() && labels.extras.at(f) == sort.extra)
                return f;
        }
    }
    if (sort.number || sort.code) {
        const int n = piece.text.size();
        int best = -1;
        int bestScore = 0;
        for (int f = 0; f < count; ++f) {
            if (!row.at(f).isEmpty())
                continue;
            const FieldKind kind = labels.kinds.at(f);
            int score = 0;
            if (sort.number) {
                if (kind == FieldKind::Qq && n >= 5 && n <= 11 && piece.text.at(0) != QLatin1Char('0'))
                    score = 2;
                else if (kind == FieldKind::StudentNumber && n >= 6)
                    score = piece.text.startsWith(QStringLiteral("20")) && n >= 8 ? 4 : 1;
                else if (kind == FieldKind::PostCode && n == 6)
                    score = 3;
                else if (kind == FieldKind::Age && n <= 2)
                    score = 3;
                else if ((kind == FieldKind::Phone || kind == FieldKind::Landline) && n >= 7 && n <= 8)
                    score = 1;
                else if (labels.extras.at(f) == ExtraKind::Count && n <= 2)
                    score = 2;
                else if (kind == FieldKind::EmployeeNumber)
                    score = 1;
            } else if (kind == FieldKind::EmployeeNumber) {
                score = 3; // FL1995: staff numbers carry letters, student numbers seldom do
            } else if (labels.extras.at(f) == ExtraKind::Room) {
                score = 2; // A1510
            } else if (kind == FieldKind::StudentNumber) {
                score = 1;
            }
            if (kind == FieldKind::Other && labels.extras.at(f) == ExtraKind::None
                && labels.validPattern.at(f) && fitsPattern(f, piece.text))
                score = 2;
            if (score > 0 && labels.validPattern.at(f) && !fitsPattern(f, piece.text))
                score = kind == FieldKind::Other && labels.extras.at(f) == ExtraKind::None ? 0 : score - 1;
            if (score > bestScore) {
                best = f;
                bestScore = score;
            }
        }
        return best;
    }
    if (sort.kind == FieldKind::Other)
        return -1;
    // 佛山市气象台: a place and a name, no street, is an employer where the list has no address.
    if (sort.kind == FieldKind::Address && !hasKind(FieldKind::Address) && hasKind(FieldKind::Company)
        && std::none_of(piece.text.cbegin(), piece.text.cend(), [](QChar c) { return c.isDigit(); })) {
        Piece company = piece;
        company.sort.kind = FieldKind::Company;
        return fieldFor(company);
    }
    // The same kind first, then a field that takes the kind (电话 takes a mobile number); a date
    // without a label goes to the first date field, whichever kind of date it is.
    // A labelled date is the date its label says (入学日期 is no birth date).
    const bool strict = piece.labelled && (sort.kind == FieldKind::Date || sort.kind == FieldKind::BirthDate);
    for (int pass = 0; pass < (strict ? 1 : 2); ++pass) {
        for (int f = 0; f < count; ++f) {
            const FieldKind kind = labels.kinds.at(f);
            if (!row.at(f).isEmpty())
                continue;
            if (pass == 0 ? kind == sort.kind : kindCovers(kind, sort.kind))
                return f;
        }
    }
    return -1;
}

bool Reader::place(const Piece &piece)
{
    // Two ID numbers for one field: the one that passes its check (the other is mistyped).
    if (piece.sort.kind == FieldKind::IdNumber) {
        for (int f = 0; f < labels.count(); ++f) {
            if (labels.kinds.at(f) != FieldKind::IdNumber || row.at(f).isEmpty())
                continue;
            // Asked of the clock only here: it costs more than the rest of the placing.
            const QDate today = QDate::currentDate();
            if (!idNumberProblem(row.at(f), today).isNone() && idNumberProblem(piece.text, today).isNone()) {
                row[f] = piece.text;
                return true;
            }
        }
    }
    const int f = fieldFor(piece);
    if (f < 0)
        return false;
    row[f] = piece.text;
    return true;
}

RecordRow Reader::result()
{
    // A labelled value of a kind goes to the field of that kind its order gives.
    for (const Piece &piece : qAsConst(labelled)) {
        // 所在地区 and 详细地址: the region and the street are one address.
        const int f = piece.field >= 0 ? piece.field : labels.kinds.indexOf(FieldKind::Address);
        if (piece.sort.kind == FieldKind::Address && f >= 0 && !row.at(f).isEmpty()
            && QStringLiteral("省市区县").contains(row.at(f).back())) {
            row[f] += piece.text;
            continue;
        }
        if (piece.field >= 0) {
            place(piece);
            continue;
        }
        Piece byKind = piece;
        // A label of a wide kind (联系方式) with a value of a narrower one goes by the value.
        if (piece.label.kind == FieldKind::Phone || piece.label.kind == FieldKind::Date) {
            const QVector<ValueSpan> spans = valueSpans(piece.text);
            if (spans.size() == 1 && spans.at(0).kind == SpanKind::Mobile)
                byKind.sort.kind = FieldKind::Mobile;
            else if (spans.size() == 1 && spans.at(0).kind == SpanKind::Landline)
                byKind.sort.kind = FieldKind::Landline;
        }
        if (!place(byKind) && byKind.sort.kind != piece.sort.kind)
            place(piece);
    }
    // Two loose remarks for one field: which is meant is the user's call.
    int remarks = 0;
    for (const Piece &piece : qAsConst(loose))
        remarks += piece.sort.kind == FieldKind::Remark;
    QVector<Piece> unknown;
    for (const Piece &piece : qAsConst(loose)) {
        if (piece.sort.kind == FieldKind::Remark && remarks > 1)
            continue;
        // 电话打错了，正确的是 …: the corrected value replaces the one given before it.
        if (piece.correction && piece.sort.kind != FieldKind::Other && fieldFor(piece) < 0) {
            for (int f = 0; f < labels.count(); ++f) {
                if (!row.at(f).isEmpty() && kindCovers(labels.kinds.at(f), piece.sort.kind)) {
                    row[f] = piece.text;
                    break;
                }
            }
            continue;
        }
        if (!place(piece) && piece.sort.kind == FieldKind::Other && !piece.sort.number && !piece.sort.code)
            unknown.append(piece);
    }
    // Words of no known kind fill the open fields whose values have no shape, in field order, each
    // where the field's pattern (if usable) fits.
    // A name without a common surname (其其格) is the one short unknown word of its own.
    const int nameField = labels.kinds.indexOf(FieldKind::Name);
    if (nameField >= 0 && row.at(nameField).isEmpty()) {
        for (int u = 0; u < unknown.size(); ++u) {
            const QString &word = unknown.at(u).text;
            if (word.size() >= 2 && word.size() <= 4 && std::all_of(word.cbegin(), word.cend(), isChinese)
                && wordClass(word) == WordClass::None && !isRemarkPhrase(word) && !holdsRemarkWord(word)) {
                row[nameField] = word;
                unknown.remove(u);
                break;
            }
        }
    }
    static const QVector<FieldKind> open { FieldKind::Major, FieldKind::Position, FieldKind::Remark,
                                           FieldKind::Other };
    for (const Piece &piece : qAsConst(unknown)) {
        if (piece.text.size() < 2) // a character alone (姓 of 姓 名) says nothing
            continue;
        for (int f = 0; f < labels.count(); ++f) {
            const FieldKind kind = labels.kinds.at(f);
            if (!row.at(f).isEmpty() || !open.contains(kind) || labels.extras.at(f) != ExtraKind::None)
                continue;
            if (kind == FieldKind::Other && !labels.validPattern.at(f))
                continue;
            if (!fitsPattern(f, piece.text))
                continue;
            // A common word (最新版, 报名表) is no department, post or employer; a major may be one.
            if (kind != FieldKind::Major && kind != FieldKind::Remark
                && wordClass(piece.text) == WordClass::Word)
                continue;
            // A remark says a state or a wish (已缴费, 送货上门, 户在人不在): words of a remark.
            if (kind == FieldKind::Remark && !holdsRemarkWord(piece.text) && !isRemarkPhrase(piece.text))
                continue;
            row[f] = piece.text;
            break;
        }
    }
    return row.toList();
}

// The reading's one cache: one field list's labels serve every record of a run (quorbel-sort and the
// batch read thousands), and are made anew when the list changes. Readers on several threads share
// them, const, for as long as each reads.
std::shared_ptr<const FieldLabels> labelsFor(const QList<FieldDef> &fields)
{
    static QMutex mutex;
    static QList<FieldDef> cachedFields;
    static std::shared_ptr<const FieldLabels> cached;
    QMutexLocker locker(&mutex);
    if (!cached || !(cachedFields == fields)) {
        cached = std::make_shared<const FieldLabels>(fields);
        cachedFields = fields;
    }
    return cached;
}

// The text cut at runs of two spaces or more and at runs of ideographic spaces (U+3000).
QStringList cutAtSpaceRuns(const QString &text)
{
    QStringList parts;
    int from = 0;
    for (int i = 0; i < text.size();) {
        int run = i;
        if (text.at(i) == QLatin1Char(' ') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char(' ')) {
            while (run < text.size() && text.at(run) == QLatin1Char(' '))
                ++run;
        } else {
            while (run < text.size() && text.at(run) == QChar(0x3000))
                ++run;
        }
        if (run == i) {
            ++i;
            continue;
        }
        parts.append(text.mid(from, i - from));
        from = i = run;
    }
    parts.append(text.mid(from));
    return parts;
}

// A spreadsheet row: a line of labels, then a line of values, cut at TABs or runs of spaces.
QStringList cells(const QString &line)
{
    // At TABs an empty cell stays a cell, so the values keep their columns; runs of spaces are no
    // cells of their own.
    QStringList parts =
        line.contains(QLatin1Char('\t')) ? line.split(QLatin1Char('\t')) : cutAtSpaceRuns(line.trimmed());
    for (QString &part : parts)
        part = part.trimmed();
    return parts;
}

bool isHeaderLine(const QStringList &parts, const FieldLabels &labels)
{
    if (parts.size() < 3)
        return false;
    int known = 0;
    for (const QString &part : parts) {
        FieldLabel label;
        if (labels.find(normalizedFieldName(part), &label)
            || labels.resolvePhrase(part).target != FieldLabel::Target::Foreign)
            ++known;
    }
    return known * 3 >= parts.size() * 2;
}

} // namespace

RecordRow readPaste(const QString &text, const QList<FieldDef> &fields)
{
    const std::shared_ptr<const FieldLabels> kept = labelsFor(fields);
    const FieldLabels &labels = *kept;
    Reader reader(labels, fields.size());
    QString unified = text;
    unified.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    const QStringList lines = unified.split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i) {
        QString line = lines.at(i);
        // A header row, perhaps after a greeting on its line, and the row of values under it.
        const int tab = line.indexOf(QLatin1Char('\t'));
        if (i + 1 < lines.size()
            && (tab >= 0 || line.contains(QStringLiteral("  ")) || line.contains(QChar(0x3000)))) {
            QStringList heads = cells(line);
            QString before;
            if (!heads.isEmpty() && tab >= 0) {
                const int space = heads.first().lastIndexOf(QLatin1Char(' '));
                if (space > 0) {
                    before = heads.first().left(space);
                    heads.first() = heads.first().mid(space + 1);
                }
            }
            const QStringList values = cells(lines.at(i + 1));
            if (isHeaderLine(heads, labels) && values.size() >= 2 && values.size() <= heads.size()) {
                reader.readLine(before);
                reader.readTable(heads, values);
                ++i;
                continue;
            }
        }
        reader.readLine(line);
    }
    return reader.result();
}
