// The rules, from the surest to the least sure: the value behind a glued label, a full-width value
// made half-width, the value a label word stands before (in the text, or in the line of labels above a
// line of values), a number written in groups, the one text that passes a field's pattern and checks,
// the one text of the field's shape, the one phrase left for a remarks field. Every value proposed
// passes its field's checks; a field takes at most one proposal, and a text goes to one field at most.
#include "review/suggestion_rules.h"

#include "engine/text_segmentation.h"
#include "review/review_state.h"
#include "review/review_wording.h"
#include "review/value_checks.h"
#include "review/word_lists.h"

#include <algorithm>
#include <functional>

namespace {

// The value as it passes the field: as written, as a value of the field's kind is written (half-width,
// a mobile number without +86 or the spaces between its groups), or made half-width; empty when none
// of these passes.
QString passingForm(ReviewState &state, int g, const QString &text, bool byShape = false)
{
    if (state.passes(g, text, byShape))
        return text;
    for (const QString &form : { canonicalValue(state.kinds[g], text), halfWidth(text) }) {
        if (form != text && !form.isEmpty() && state.passes(g, form, byShape))
            return form;
    }
    return QString();
}

// The one source that fits the field (made half-width where needed) among those accepted, or -1.
int onlySource(ReviewState &state, int g, QString *value, const std::function<bool(const Source &)> &accept,
               bool byShape = false)
{
    int found = -1;
    QString foundValue;
    for (int s = 0; s < int(state.sources.size()); ++s) {
        const Source &source = state.sources[s];
        if (source.used || source.cut || (source.cell == g && !source.piece) || !accept(source))
            continue;
        const QString fit = passingForm(state, g, source.text, byShape);
        if (fit.isEmpty())
            continue;
        if (found < 0) {
            found = s;
            foundValue = fit;
        } else if (fit != foundValue) {
            return -1; // two texts fit: neither is proposed
        }
    }
    if (found >= 0)
        *value = foundValue;
    return found;
}

QString reasonOf(const Source &source, const QString &otherwise)
{
    return source.cell >= 0 || source.piece ? ReviewWording::takenFrom(source.whole) : otherwise;
}

// The first open field a label of the kind (or the field's own name) points to, or -1.
int fieldForLabel(const ReviewState &state, const QString &label, FieldKind kind)
{
    for (int g = 0; g < state.count; ++g) {
        if (state.in.fields.at(g).name == label)
            return state.open(g) ? g : -1;
    }
    for (int g = 0; g < state.count; ++g) {
        const FieldKind field = state.kinds[g];
        if (kind != FieldKind::Other && (kindCovers(field, kind) || kindCovers(kind, field)) && state.open(g))
            return g;
    }
    return -1;
}

// Proposes the value for the field the label points to, when it stands in the record as a source.
void proposeLabelled(ReviewState &state, const QString &label, const QString &value)
{
    const TextFacts &facts = state.facts(label);
    const int g = fieldForLabel(state, label, facts.labelWord);
    Source *source = g >= 0 ? state.sourceOf(value) : nullptr;
    const QString fit = source ? passingForm(state, g, value, true) : QString();
    if (!fit.isEmpty())
        state.propose(g, source, fit, ReviewWording::afterLabel(label));
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

bool isLabelToken(ReviewState &state, const QString &token)
{
    const TextFacts &facts = state.facts(token);
    return facts.labelWord != FieldKind::Other || facts.fieldName;
}

void proposeGlued(ReviewState &state)
{
    for (Source &source : state.sources) {
        const int g = source.used ? -1 : source.facts.gluedField;
        if (g < 0 || !state.open(g))
            continue;
        const QString fit = passingForm(state, g, source.text.mid(source.facts.gluedValueAt), true);
        if (!fit.isEmpty())
            state.propose(g, &source, fit, ReviewWording::takenFrom(source.whole));
    }
}

void proposeHalfWidth(ReviewState &state)
{
    for (int g = 0; g < state.count; ++g) {
        if (!state.open(g))
            continue;
        // The cell's own text first: it only needs to be made half-width.
        const QString &own = state.cell(g);
        const QString half = state.broken[g] && hasFullWidthAlnum(own) ? halfWidth(own) : QString();
        if (!half.isEmpty() && state.passes(g, half)) {
            state.propose(g, state.sourceOf(own), half, ReviewWording::takenFrom(own));
            continue;
        }
        QString value;
        const int s = state.hasPattern(g)
            ? onlySource(state, g, &value, [](const Source &source) { return source.facts.fullWidth; })
            : -1;
        if (s >= 0)
            state.propose(g, &state.sources[s], value, ReviewWording::takenFrom(state.sources[s].whole));
    }
}

// A label word in the text and the token after it; a line of labels and the line of values under it,
// paired by position, as a spreadsheet row pasted with its header.
void proposeFromLabels(ReviewState &state)
{
    const QStringList lines = state.in.text.split(QLatin1Char('\n'));
    for (int l = 0; l + 1 < lines.size(); ++l) {
        const QStringList labels = cells(lines.at(l));
        const QStringList values = cells(lines.at(l + 1));
        if (labels.size() < 2 || labels.size() != values.size()
            || !std::all_of(labels.begin(), labels.end(),
                            [&](const QString &t) { return isLabelToken(state, t); }))
            continue;
        for (int i = 0; i < labels.size(); ++i) {
            if (!values.at(i).isEmpty())
                proposeLabelled(state, labels.at(i), values.at(i));
        }
    }
    for (int i = 0; i + 1 < state.tokens.size(); ++i) {
        const QString &label = state.tokens.at(i);
        if (state.facts(label).labelWord != FieldKind::Other && !isLabelToken(state, state.tokens.at(i + 1)))
            proposeLabelled(state, label, state.tokens.at(i + 1));
    }
}

bool isDigitGroup(const QString &token)
{
    const QString half = halfWidth(token);
    const int start = half.startsWith(QLatin1Char('+')) ? 1 : 0;
    return half.size() > start && half.size() <= 8
        && std::all_of(half.begin() + start, half.end(), [](QChar c) { return c.isDigit(); });
}

// A number written in groups ("139 0571 2266", "+86 139 0571 2266"), each group a left-over token:
// the groups joined, without the spaces, when together they are one value of an open field's kind.
void proposeJoined(ReviewState &state)
{
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
                allLeftover = allLeftover && state.sourceOf(group) && state.sourceOf(group)->cell < 0;
            for (int g = 0; g < state.count && allLeftover; ++g) {
                if (!state.open(g) || !looksLike(state.kinds[g], joined, state.today)
                    || !state.passes(g, joined))
                    continue;
                if (state.propose(g, nullptr, joined,
                                  ReviewWording::takenFrom(groups.join(QLatin1Char(' '))))) {
                    for (const QString &group : qAsConst(groups))
                        state.sourceOf(group)->used = true;
                    i = j;
                }
                break;
            }
        }
    }
}

// The one text that passes the field's pattern and checks: among name candidates, the one that starts
// with a common surname; a value that breaks a check replaced by the one text that passes it.
void proposeByCheck(ReviewState &state)
{
    for (int g = 0; g < state.count; ++g) {
        QString value;
        const int s = state.open(g) && state.hasPattern(g)
            ? onlySource(state, g, &value, [](const Source &) { return true; })
            : -1;
        if (s < 0)
            continue;
        // For a name the check that tells it apart is the surname list.
        const QString reason =
            state.kinds[g] == FieldKind::Name ? ReviewWording::commonSurname() : ReviewWording::onlyPassing();
        state.propose(g, &state.sources[s], value, reasonOf(state.sources[s], reason));
    }
}

// The one text whose ending tells the field's kind; for a field without a usable pattern, the one
// text of its kind's shape (an address, a landline, a date, a name with a common surname).
void proposeByShape(ReviewState &state)
{
    for (int g = 0; g < state.count; ++g) {
        const FieldKind kind = state.kinds[g];
        const bool byLook = !state.hasPattern(g);
        if (!state.open(g) || kind == FieldKind::Other || kind == FieldKind::Remark
            || (kind == FieldKind::Name && !byLook))
            continue;
        QString value;
        // Kinds whose values have a shape of their own: a text of that shape is meant for the field even
        // where the user's pattern is narrower.
        const bool distinct = kind == FieldKind::Mobile || kind == FieldKind::Landline
            || kind == FieldKind::Phone || kind == FieldKind::Email || kind == FieldKind::IdNumber
            || kind == FieldKind::Date || kind == FieldKind::BirthDate || kind == FieldKind::Address;
        const int s = onlySource(
            state, g, &value,
            [&](const Source &source) {
                if (kind == FieldKind::Name)
                    return source.facts.surname && looksLike(kind, source.text, state.today);
                return source.facts.shape == kind
                    || ((byLook || distinct) && looksLike(kind, source.text, state.today));
            },
            true);
        if (s >= 0)
            state.propose(g, &state.sources[s], value,
                          reasonOf(state.sources[s],
                                   kind == FieldKind::Name ? ReviewWording::commonSurname()
                                                           : ReviewWording::shapeOf(kind)));
    }
}

bool isChinese(QChar c)
{
    return c.unicode() >= 0x4E00 && c.unicode() <= 0x9FFF;
}

// A remarks field takes the one short phrase left over that is no value of any other field.
void proposeRemark(ReviewState &state)
{
    for (int g = 0; g < state.count; ++g) {
        if (state.kinds[g] != FieldKind::Remark || !state.open(g) || !state.cell(g).isEmpty())
            continue;
        int found = -1;
        int phrases = 0;
        for (int s = 0; s < int(state.sources.size()); ++s) {
            const Source &source = state.sources[s];
            if (source.used || source.cell >= 0 || source.text.size() < 2 || source.text.size() > 12
                || !std::any_of(source.text.begin(), source.text.end(), isChinese)
                || source.facts.shape != FieldKind::Other
                || plainKind(source.text, state.today) != FieldKind::Other)
                continue;
            // A known remark phrase is one; any other text only when no field still open could take it.
            bool otherValue = false;
            for (int h = 0; h < state.count && !otherValue && !isRemarkPhrase(source.text); ++h)
                otherValue = h != g && state.open(h)
                    && ((state.hasPattern(h) && state.passes(h, source.text))
                        || looksLike(state.kinds[h], source.text, state.today));
            if (!otherValue) {
                found = s;
                ++phrases;
            }
        }
        if (phrases == 1 && state.passes(g, state.sources[found].text))
            state.propose(g, &state.sources[found], state.sources[found].text,
                          ReviewWording::onlyPhraseLeft());
    }
}

} // namespace

void runSuggestionRules(ReviewState &state)
{
    for (int round = 0; round < 2; ++round) {
        if (round > 0 && std::count(state.vacated.begin(), state.vacated.end(), -1) == state.count)
            break;
        proposeGlued(state);
        proposeHalfWidth(state);
        proposeFromLabels(state);
        proposeJoined(state);
        proposeByCheck(state);
        proposeByShape(state);
        proposeRemark(state);
    }
}
