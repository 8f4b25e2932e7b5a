// The rules that read the record's text in order rather than its loose tokens: a label word and the
// value after it, a spreadsheet row pasted under its line of labels, a number written in groups.
#include "review/text_order_rules.h"

#include "engine/text_segmentation.h"
#include "review/cell_checks.h"
#include "review/kind_traits.h"
#include "review/record_context.h"
#include "review/suggestions.h"
#include "review/value_checks.h"
#include "review/value_shapes.h"

#include <algorithm>

namespace {

// The first open field a label of the kind (or the field's own name) points to, or -1.
int fieldForLabel(const RecordContext &state, const Suggestions &made, const QString &label, FieldKind kind)
{
    for (int g = 0; g < state.count; ++g) {
        if (state.in.fields.at(g).name == label)
            return made.open(state, g) ? g : -1;
    }
    for (int g = 0; g < state.count; ++g) {
        const FieldKind field = state.kinds[g];
        if (kind != FieldKind::Other && (kindCovers(field, kind) || kindCovers(kind, field))
            && made.open(state, g))
            return g;
    }
    return -1;
}

// A line as a spreadsheet row: cut at TAB where it has one, so that empty cells keep their place.
QStringList cells(const QString &line)
{
    if (!line.contains(QLatin1Char('\t')))
        return segmentText(line);
    QStringList cut = line.split(QLatin1Char('\t'));
    for (QString &cell : cut)
        cell = cell.trimmed();
    return cut;
}

bool isFieldName(const RecordContext &state, const QString &token)
{
    return std::any_of(state.in.fields.cbegin(), state.in.fields.cend(),
                       [&token](const FieldDef &field) { return field.name == token; });
}

// A label word or a field's name: only what the text's order needs, not all that is known of a text.
bool isLabelToken(const RecordContext &state, const QString &token)
{
    return labelKind(token) != FieldKind::Other || isFieldName(state, token);
}

// Read a character at a time, made half-width as it is read: most tokens are no group, and are not
// copied to find that out.
bool isDigitGroup(const QString &token)
{
    const int start = !token.isEmpty() && halfWidth(token.at(0)) == QLatin1Char('+') ? 1 : 0;
    return token.size() > start && token.size() <= 8
        && std::all_of(token.begin() + start, token.end(), [](QChar c) { return halfWidth(c).isDigit(); });
}

} // namespace

QVector<LabelledText> labelledTexts(const RecordContext &state)
{
    QVector<LabelledText> pairs;
    const QStringList lines = state.in.text.split(QLatin1Char('\n'));
    for (int l = 0; l + 1 < lines.size(); ++l) {
        // The line of labels first: most lines are none, and their next line need not be cut.
        const QStringList labels = cells(lines.at(l));
        if (labels.size() < 2 || !std::all_of(labels.begin(), labels.end(), [&](const QString &t) {
                return isLabelToken(state, t);
            }))
            continue;
        const QStringList values = cells(lines.at(l + 1));
        if (labels.size() != values.size())
            continue;
        for (int i = 0; i < labels.size(); ++i) {
            if (!values.at(i).isEmpty())
                pairs.append({ labels.at(i), labelKind(labels.at(i)), values.at(i) });
        }
    }
    // Each token's label word asked once: every token but the first is also the one after a label.
    FieldKind next = state.tokens.isEmpty() ? FieldKind::Other : labelKind(state.tokens.at(0));
    for (int i = 0; i + 1 < state.tokens.size(); ++i) {
        const FieldKind kind = next;
        const QString &after = state.tokens.at(i + 1);
        next = labelKind(after);
        if (kind != FieldKind::Other && next == FieldKind::Other && !isFieldName(state, after))
            pairs.append({ state.tokens.at(i), kind, after });
    }
    return pairs;
}

void proposeFromLabels(const RecordContext &state, const QVector<LabelledText> &pairs,
                       Suggestions *suggestions)
{
    Suggestions &made = *suggestions;
    for (const LabelledText &pair : pairs) {
        const int g = fieldForLabel(state, made, pair.label, pair.kind);
        const int s = g >= 0 ? made.sourceOf(pair.value) : -1;
        const QString fit = s >= 0 ? passingForm(state, g, pair.value, true) : QString();
        if (!fit.isEmpty())
            made.propose(state, g, s, fit, { ReasonType::AfterLabel, pair.label });
    }
}

// A number written in groups ("139 0571 2266", "+86 139 0571 2266"), each group a left-over token:
// the groups joined, without the spaces, when together they are one value of an open field's kind.
void proposeJoined(const RecordContext &state, Suggestions *suggestions)
{
    Suggestions &made = *suggestions;
    for (int i = 0; i < state.tokens.size(); ++i) {
        QStringList groups;
        for (int j = i; j < state.tokens.size() && j < i + 5 && isDigitGroup(state.tokens.at(j)); ++j) {
            groups.append(state.tokens.at(j));
            if (groups.size() < 2)
                continue;
            QString joined = halfWidth(groups.join(QString()));
            for (const QString &prefix : { QStringLiteral("+86"), QStringLiteral("0086") }) {
                if (joined.startsWith(prefix))
                    joined.remove(0, prefix.size());
            }
            bool allLeftover = true;
            for (const QString &group : qAsConst(groups))
                allLeftover = allLeftover && made.sourceOf(group) >= 0
                    && made.sources.list[made.sourceOf(group)].cell < 0;
            for (int g = 0; g < state.count && allLeftover; ++g) {
                if (!made.open(state, g) || !state.looksLike(state.kinds[g], joined)
                    || !passes(state, g, joined))
                    continue;
                if (made.propose(state, g, -1, joined,
                                 { ReasonType::TakenFrom, groups.join(QLatin1Char(' ')) })) {
                    for (const QString &group : qAsConst(groups))
                        made.sources.list[made.sourceOf(group)].used = true;
                    i = j;
                }
                break;
            }
        }
    }
}
