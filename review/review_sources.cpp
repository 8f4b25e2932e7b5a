// Only text that stands in the record becomes a source: a suggestion never makes up a value. Field
// names, label words, filler words and bare punctuation are no value of any field and are left out.
// A token is cut at separators the rules do not know and at invisible characters always; at
// punctuation that may also stand inside a value only when every piece is a value of some field or a
// label word, and the whole is none.
#include "review/review_sources.h"

#include "fields/character_classes.h"
#include "review/kind_traits.h"
#include "review/record_context.h"
#include "review/value_checks.h"
#include "review/value_shapes.h"

#include <QRegularExpression>

#include <algorithm>

namespace {

void addSource(const RecordContext &state, const QString &text, int cell, bool piece, const QString &whole,
               Sources *sources)
{
    const TextFacts facts = state.facts(text);
    if (facts.noValue || (cell < 0 && !piece && state.listNumbers.contains(text)))
        return;
    sources->list.push_back({ text, cell, piece, whole, false, facts, false });
    if (cell < 0 && !piece)
        ++sources->wholeLeftovers;
}

QStringList cutWhere(const QString &text, bool (*cuts)(QChar))
{
    QStringList pieces;
    int start = 0;
    for (int i = 0; i <= text.size(); ++i) {
        if (i < text.size() && !cuts(text.at(i)))
            continue;
        if (i > start)
            pieces.append(text.mid(start, i - start));
        start = i + 1;
    }
    return pieces;
}

bool cutsAlways(QChar c)
{
    return isUnknownSeparator(c) || isInvisible(c);
}

// A value some field takes, or one of a kind anyone would know. Loosely: of the shape of some field's
// kind, which for text kinds is little more than Chinese characters.
bool isSomeValue(const RecordContext &state, const QString &text, bool loosely)
{
    if (state.plainKind(text) != FieldKind::Other || state.facts(text).labelWord != FieldKind::Other)
        return true;
    for (int f = 0; f < state.count; ++f) {
        const FieldKind kind = state.kinds[f];
        // Names of people and things have loose shapes; a class name (网安24-4班), a date or a number
        // has one of its own even where it holds joining punctuation.
        const bool looseShape = traitsOf(kind).has(LooseShape);
        if ((state.fits(f, text) && valueProblem(kind, text, state.today).isNone())
            || ((loosely || !looseShape) && state.looksLike(kind, text)))
            return true;
    }
    return false;
}

// The text cut at joining punctuation into values, left to right: each piece a value of some field or
// a label word ("tiantian@qq.com-所在部门" at the dash only); none when it cannot be cut so.
QStringList valuePieces(const RecordContext &state, const QString &text, bool whole)
{
    if (whole && isSomeValue(state, text, true))
        return { text };
    for (int i = 1; i + 1 < text.size(); ++i) {
        if (!isJoiningPunctuation(text.at(i)) || !isSomeValue(state, text.left(i), true))
            continue;
        const QStringList rest = valuePieces(state, text.mid(i + 1), true);
        if (!rest.isEmpty())
            return QStringList { text.left(i) } + rest;
    }
    return {};
}

// The pieces at joining punctuation, or none when a piece is no value or the whole already is one.
QStringList punctuationPieces(const RecordContext &state, const QString &text)
{
    if (!std::any_of(text.begin(), text.end(), isJoiningPunctuation) || isSomeValue(state, text, false))
        return {};
    return valuePieces(state, text, false);
}

// The value after list numbering that a digit follows ("3.1988/09/28", "4.38"): only when that rest is a
// value and the whole is none, since 3.5 or 2019.3.1 are values themselves.
QString numbered(const RecordContext &state, const QString &text)
{
    static const QRegularExpression numbering(QStringLiteral("^\\d{1,2}[.．、)）](?=\\d)"));
    // A digit, a mark and a digit at least: most tokens start otherwise and need no match.
    if (text.size() < 3 || !text.at(0).isDigit())
        return QString();
    const QRegularExpressionMatch match = numbering.match(text);
    if (!match.hasMatch())
        return QString();
    const QString rest = text.mid(match.capturedLength());
    return isSomeValue(state, rest, true) && !isSomeValue(state, text, false) ? rest : QString();
}

// A cell a label filled with a value of its field's kind keeps its text: none of its pieces moves.
bool rightAsLabelled(const RecordContext &state, int cell)
{
    if (cell < 0 || !state.in.labelled.value(cell))
        return false;
    const QString &value = state.cell(cell);
    const FieldKind kind = state.kinds[cell];
    return state.looksLike(kind, value) || (kind != FieldKind::Other && state.facts(value).shape == kind);
}

void addWithPieces(const RecordContext &state, const QString &text, int cell, Sources *sources)
{
    addSource(state, text, cell, false, text, sources);
    if (rightAsLabelled(state, cell))
        return;
    const TextFacts facts = state.facts(text);
    const bool plain = state.plainKind(text) != FieldKind::Other;
    QStringList pieces;
    if (!numbered(state, text).isEmpty())
        pieces = QStringList { numbered(state, text) };
    else if (facts.invisible || (facts.separatorAt >= 0 && !plain))
        pieces = cutWhere(text, facts.invisible && plain ? isInvisible : cutsAlways);
    else if (facts.numbering > 0)
        pieces = QStringList { text.mid(facts.numbering) };
    else
        pieces = punctuationPieces(state, text);
    if (pieces.size() > 1 && !sources->list.empty() && sources->list.back().text == text)
        sources->list.back().cut = true;
    for (const QString &piece : qAsConst(pieces)) {
        const int numbering = numberingLength(piece);
        addSource(state, piece.mid(numbering), cell, true, text, sources);
    }
}

} // namespace

Sources collectSources(const RecordContext &state, const QVector<bool> &broken)
{
    Sources sources;
    for (const QString &token : state.in.leftover)
        addWithPieces(state, token, -1, &sources);
    for (int f = 0; f < state.count; ++f) {
        if (broken[f] && !state.settled[f])
            addWithPieces(state, state.cell(f), f, &sources);
    }
    return sources;
}
