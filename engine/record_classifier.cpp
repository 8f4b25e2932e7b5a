// The classifier's steps. Results are exactly those of the plain step-by-step rules; the cost is
// kept down by deciding each pattern-token match at most once per record, remembering verdicts
// between records, and ruling tokens out cheaply before QRegExp sees them. Memory stays linear in
// fields plus tokens whatever their product, and patterns are compiled only when first needed, a
// bounded number of them at a time.
#include "engine/record_classifier.h"

#include "engine/engine_log.h"
#include "engine/pattern_check.h"
#include "engine/pattern_prefilter.h"
#include "engine/per_thread.h"
#include "engine/text_segmentation.h"

#include <QHash>
#include <QRegExp>
#include <QVarLengthArray>
#include <QVector>

#include <algorithm>
#include <array>
#include <deque>
#include <functional>
#include <memory>
#include <queue>
#include <vector>

namespace {

// What patterns said about tokens met before, kept per thread across records: records usually share
// one field list and many tokens (男, 女, ages, majors, schools), and a QRegExp match costs far more
// than a look-up. Verdicts are the same with or without it. Per thread because QRegExp keeps match
// state inside the object.
class MatchMemory final
{
public:
    // A pattern's verdict on a token: -1 not tried yet, 0 no match, 1 match.
    using Verdict = qint8;

    static MatchMemory &forThisThread() { return perThread<MatchMemory>(); }

    // Starts a record; returns the fields' pattern ids, -1 for an empty pattern.
    const std::vector<int> &beginRecord(const QList<FieldDef> &fieldDefs)
    {
        ++m_record;
        return patternIds(fieldDefs);
    }

    // The fields' pattern ids without starting a record: for questions asked after it.
    const std::vector<int> &patternIds(const QList<FieldDef> &fieldDefs)
    {
        // Callers pass the same shared list record after record, which compares in constant time.
        if (fieldDefs != m_fieldDefs) {
            if (int(m_patterns.size()) + fieldDefs.size() > rememberedPatterns)
                forgetPatterns();
            m_fieldDefs = fieldDefs;
            m_patternOf.clear();
            for (const FieldDef &field : fieldDefs)
                m_patternOf.push_back(field.pattern.isEmpty() ? -1 : patternId(field.pattern));
        }
        return m_patternOf;
    }

    // The token's remembered verdicts, or nullptr when it is not remembered: a long token (seldom
    // met twice, and the copy kept here would hold its memory long after its record), or one whose
    // slot is taken by another token of the same record (the row must stay valid until the record
    // is done).
    Verdict *verdictsFor(const QString &token)
    {
        if (token.size() > rememberedTokenLength)
            return nullptr;
        if (m_slots.empty())
            m_slots.resize(slotCount);
        Slot &slot = m_slots[qHash(token) & (slotCount - 1)];
        if (slot.generation == m_generation && slot.token == token) {
            slot.record = m_record;
            return slot.verdicts.data();
        }
        if (slot.record == m_record)
            return nullptr;
        slot.token = token;
        slot.generation = m_generation;
        slot.record = m_record;
        slot.verdicts.fill(-1);
        return slot.verdicts.data();
    }

    // Ids run from 0 to patternCount() - 1.
    int patternCount() const { return int(m_patterns.size()); }
    const QString &patternText(int patternId) const { return m_patterns[patternId].text; }
    bool isDisabled(int patternId) const { return m_patterns[patternId].disabled; }

    bool fits(int patternId, const QString &token, Verdict *verdicts)
    {
        if (token.size() > m_patterns[patternId].longestToken)
            return false;
        if (!verdicts || patternId >= rememberedPatterns)
            return match(patternId, token);
        Verdict &verdict = verdicts[patternId];
        if (verdict < 0)
            verdict = match(patternId, token) ? 1 : 0;
        return verdict == 1;
    }

private:
    static constexpr int rememberedPatterns = 64; // a field list with more still works, unremembered
    static constexpr uint slotCount = 4096;
    // Names, ages, schools and e-mail addresses fit; the slots then hold at most about 1 MiB.
    static constexpr int rememberedTokenLength = 64;

    struct Slot
    {
        QString token;
        quint32 generation = 0;
        quint64 record = 0;
        std::array<Verdict, rememberedPatterns> verdicts;
    };

    // Compiled patterns cost about this much each beyond their own size (QRegExp's private parts,
    // the prefilter), in the units of the pattern limits: about 200 bytes each.
    static constexpr double compiledOverhead = 25;
    // About 30 MiB: thousands of ordinary patterns, or one at the limits.
    static constexpr double compiledBudget = 150000;

    struct Compiled
    {
        explicit Compiled(const QString &pattern)
            : regExp(pattern, Qt::CaseSensitive, QRegExp::RegExp)
            , prefilter(pattern)
        { }
        QRegExp regExp;
        PatternPrefilter prefilter;
    };

    bool match(int patternId, const QString &token)
    {
        const Compiled *compiled = compiledPattern(patternId);
        return compiled && !compiled->prefilter.rulesOut(token) && compiled->regExp.indexIn(token) >= 0;
    }

    // Compiles on first use; a pattern over the limits stays uncompiled and fits nothing. The oldest compiled
    // patterns make room when the budget is spent.
    const Compiled *compiledPattern(int patternId)
    {
        Pattern &pattern = m_patterns[patternId];
        if (pattern.compiled || pattern.disabled)
            return pattern.compiled.get();
        while (!m_compiledOrder.empty() && m_compiledCost + pattern.cost > compiledBudget) {
            Pattern &oldest = m_patterns[m_compiledOrder.front()];
            m_compiledOrder.pop_front();
            m_compiledCost -= oldest.cost;
            oldest.compiled.reset();
        }
        pattern.compiled = std::make_unique<Compiled>(pattern.text);
        m_compiledOrder.push_back(patternId);
        m_compiledCost += pattern.cost;
        return pattern.compiled.get();
    }

    int patternId(const QString &pattern)
    {
        const auto found = m_patternIds.constFind(pattern);
        if (found != m_patternIds.constEnd())
            return *found;
        // The check reads the text once, with no QRegExp.
        const PatternCheck check = checkPattern(pattern);
        m_patterns.push_back(
            { pattern, nullptr, compiledOverhead + check.cost, !check.reason.isEmpty(), check.longestToken });
        const int id = int(m_patterns.size()) - 1;
        m_patternIds.insert(pattern, id);
        return id;
    }

    // Pattern ids are reused after this, so every remembered verdict goes too.
    void forgetPatterns()
    {
        m_patterns.clear();
        m_patternIds.clear();
        m_compiledOrder.clear();
        m_compiledCost = 0;
        ++m_generation;
    }

    struct Pattern
    {
        QString text;
        std::unique_ptr<Compiled> compiled;
        double cost; // while compiled, against the budget
        bool disabled; // over the limits: never compiled, fits nothing
        int longestToken;
    };

    std::vector<Pattern> m_patterns;
    QHash<QString, int> m_patternIds;
    QList<FieldDef> m_fieldDefs;
    std::vector<int> m_patternOf;
    std::vector<Slot> m_slots;
    std::deque<int> m_compiledOrder;
    double m_compiledCost = 0;
    quint32 m_generation = 1;
    quint64 m_record = 0;
};

// For many patterns against many tokens: the tokens holding each character, and those starting with
// it, in token order. A pattern that needs a character then tries only the tokens in the shortest
// of its lists; the others cannot fit it, so the outcome is the same.
class TokenIndex final
{
public:
    explicit TokenIndex(const QStringList &tokens)
    {
        for (int t = 0; t < tokens.size(); ++t) {
            const QString &token = tokens.at(t);
            m_starting[token.at(0)].push_back(t);
            for (const QChar c : token) {
                std::vector<int> &holding = m_holding[c];
                if (holding.empty() || holding.back() != t)
                    holding.push_back(t);
            }
        }
    }

    // The tokens worth trying against the pattern, or nullptr for all of them.
    const std::vector<int> *candidates(const QString &pattern, bool disabled) const
    {
        if (disabled)
            return &m_none;
        const PatternPrefilter prefilter(pattern);
        const std::vector<int> *shortest = nullptr;
        const auto consider = [&shortest, this](const QHash<QChar, std::vector<int>> &lists, QChar c) {
            const auto found = lists.constFind(c);
            const std::vector<int> *list = found == lists.constEnd() ? &m_none : &*found;
            if (!shortest || list->size() < shortest->size())
                shortest = list;
        };
        if (!prefilter.leadCharacter().isNull())
            consider(m_starting, prefilter.leadCharacter());
        for (const QChar c : prefilter.requiredCharacters())
            consider(m_holding, c);
        return shortest;
    }

private:
    QHash<QChar, std::vector<int>> m_starting;
    QHash<QChar, std::vector<int>> m_holding;
    const std::vector<int> m_none;
};

} // namespace

RecordClassifier::RecordClassifier(QString text, QList<FieldDef> fieldDefs)
    : text(std::move(text))
    , fieldDefs(std::move(fieldDefs))
{
    prepareCells();
    segment();
    matchLabels();
    labelled = filled;
    matchPatterns();
}

void RecordClassifier::prepareCells()
{
    cells.reserve(fieldDefs.size());
    filled.reserve(fieldDefs.size());
    for (int i = 0; i < fieldDefs.size(); ++i) {
        cells.append(QString());
        filled.append(false);
    }
}

void RecordClassifier::segment()
{
    tokens = segmentText(text, &text);
    segmented = tokens;
    qCDebug(lcEngine) << "替换后的文本：" << text;
    qCDebug(lcEngine) << "分割后的长度：" << tokens.size();
}

void RecordClassifier::matchLabels()
{
    const int tokenCount = tokens.size();
    const int fieldCount = fieldDefs.size();
    if (tokenCount < 2 || fieldCount == 0)
        return; // no label can have a token after it

    // The last field of an equal name wins, so look from the end of the field list; many fields
    // against many tokens go through a table of names instead, whose building costs more than the
    // plain comparisons when either list is short.
    QVector<int> labelIndex(tokenCount, -1);
    if (fieldCount > 64 && tokenCount > 64) {
        QHash<QString, int> lastFieldNamed;
        lastFieldNamed.reserve(fieldCount);
        for (int f = 0; f < fieldCount; ++f)
            lastFieldNamed.insert(fieldDefs.at(f).name, f);
        for (int t = 0; t < tokenCount; ++t)
            labelIndex[t] = lastFieldNamed.value(tokens.at(t), -1);
    } else {
        for (int t = 0; t < tokenCount; ++t) {
            const QString &token = tokens.at(t);
            for (int f = fieldCount - 1; f >= 0; --f) {
                const QString &name = fieldDefs.at(f).name;
                if (token.size() == name.size() && token.at(0) == name.at(0) && token == name) {
                    labelIndex[t] = f;
                    break;
                }
            }
        }
    }

    // A label followed by a non-label makes a pair. Pairs cannot overlap (a pair's second token is
    // no label), so one ascending walk both assigns them and drops them from the token list.
    QStringList remaining;
    remaining.reserve(tokenCount);
    bool anyPair = false;
    int i = 0;
    while (i < tokenCount) {
        if (i + 1 < tokenCount && labelIndex.at(i) >= 0 && labelIndex.at(i + 1) < 0) {
            const int f = labelIndex.at(i);
            const QString &value = tokens.at(i + 1);
            qCDebug(lcEngine) << "匹配：" << fieldDefs.at(f).name << "  " << value;
            if (!filled.at(f)) {
                cells[f] = value;
                filled[f] = true;
            }
            anyPair = true;
            i += 2;
        } else {
            remaining.append(tokens.at(i));
            ++i;
        }
    }
    if (anyPair)
        tokens = remaining;
}

void RecordClassifier::matchPatterns()
{
    const int tokenCount = tokens.size();
    const int fieldCount = fieldDefs.size();
    if (tokenCount == 0 || fieldCount == 0)
        return;

    MatchMemory &memory = MatchMemory::forThisThread();
    const std::vector<int> &patternOf = memory.beginRecord(fieldDefs);
    const int patternCount = memory.patternCount();
    QVarLengthArray<MatchMemory::Verdict *, 32> verdicts(tokenCount);
    for (int t = 0; t < tokenCount; ++t)
        verdicts[t] = memory.verdictsFor(tokens.at(t));

    // Whether a field gets a token depends only on its pattern and the tokens still in play, so
    // fields of one pattern share what is known. A pattern looks at tokens once, from the first on,
    // and only as far as needed: two live matches already make it ambiguous. It keeps those (at most
    // two) in its two slots, slot 2p and 2p + 1, and each token chains the slots that hold it, so
    // that taking it frees them. All of this is linear in fields, patterns and tokens.
    QVarLengthArray<bool, 32> taken(tokenCount);
    std::fill(taken.begin(), taken.end(), false);
    QVarLengthArray<int, 32> firstSlot(tokenCount);
    std::fill(firstSlot.begin(), firstSlot.end(), -1);
    QVarLengthArray<int, 64> scanned(patternCount);
    std::fill(scanned.begin(), scanned.end(), 0);
    QVarLengthArray<int, 128> slotToken(2 * patternCount);
    std::fill(slotToken.begin(), slotToken.end(), -1);
    QVarLengthArray<int, 128> nextSlot(2 * patternCount);
    // Each pattern's fields in order; firstField only ever moves past filled ones.
    QVarLengthArray<int, 64> firstField(patternCount);
    std::fill(firstField.begin(), firstField.end(), -1);
    QVarLengthArray<int, 64> nextField(fieldCount);
    for (int f = fieldCount - 1; f >= 0; --f) {
        if (patternOf[f] >= 0) {
            nextField[f] = firstField[patternOf[f]];
            firstField[patternOf[f]] = f;
        }
    }

    // Each pattern's tokens to try, decided at its first look: an index list, or all tokens.
    std::unique_ptr<TokenIndex> index;
    const bool indexed = qint64(patternCount) * tokenCount > 4096;
    QVarLengthArray<const std::vector<int> *, 64> candidates(patternCount);
    QVarLengthArray<bool, 64> decided(patternCount);
    std::fill(decided.begin(), decided.end(), false);

    // The rules restart at the first field after every assignment and take the first field that can
    // be assigned. Fields before the cursor are known unable to, except those whose pattern lost a
    // live match since: they wait in recheck, and the smallest of them goes first.
    std::priority_queue<int, std::vector<int>, std::greater<int>> recheck;
    int cursor = 0;
    for (;;) {
        int f;
        if (!recheck.empty() && recheck.top() < cursor) {
            f = recheck.top();
            recheck.pop();
        } else if (cursor < fieldCount) {
            f = cursor++;
        } else {
            break;
        }
        const int p = patternOf[f];
        if (filled.at(f) || p < 0)
            continue;
        if (!decided[p]) {
            decided[p] = true;
            candidates[p] = nullptr;
            if (indexed) {
                if (!index)
                    index = std::make_unique<TokenIndex>(tokens);
                candidates[p] = index->candidates(memory.patternText(p), memory.isDisabled(p));
            }
        }
        const std::vector<int> *const tried = candidates[p];
        const int triedCount = tried ? int(tried->size()) : tokenCount;
        int liveCount = (slotToken[2 * p] >= 0) + (slotToken[2 * p + 1] >= 0);
        while (liveCount < 2 && scanned[p] < triedCount) {
            const int t = tried ? (*tried)[scanned[p]++] : scanned[p]++;
            if (!taken[t] && memory.fits(p, tokens.at(t), verdicts[t])) {
                const int slot = slotToken[2 * p] < 0 ? 2 * p : 2 * p + 1;
                slotToken[slot] = t;
                nextSlot[slot] = firstSlot[t];
                firstSlot[t] = slot;
                ++liveCount;
            }
        }
        if (liveCount != 1 || scanned[p] < triedCount)
            continue;

        const int t = std::max(slotToken[2 * p], slotToken[2 * p + 1]);
        const QString &token = tokens.at(t);
        qCDebug(lcEngine) << "正则匹配到：" << fieldDefs.at(f).name << "    " << token << "    "
                          << fieldDefs.at(f).pattern;
        cells[f] = token;
        filled[f] = true;
        taken[t] = true;
        for (int slot = firstSlot[t]; slot >= 0; slot = nextSlot[slot]) {
            slotToken[slot] = -1;
            int &first = firstField[slot / 2];
            while (first >= 0 && filled.at(first))
                first = nextField[first];
            if (first >= 0 && first < cursor)
                recheck.push(first);
        }
        firstSlot[t] = -1;
    }

    QStringList remaining;
    remaining.reserve(tokenCount);
    for (int t = 0; t < tokenCount; ++t) {
        if (!taken[t])
            remaining.append(tokens.at(t));
    }
    tokens = remaining;
}

bool fieldPatternFits(const QList<FieldDef> &fieldDefs, int field, const QString &token)
{
    MatchMemory &memory = MatchMemory::forThisThread();
    const int p = memory.patternIds(fieldDefs)[size_t(field)];
    // The verdicts are looked up again on every question: the slot may go to another token later.
    return p >= 0 && memory.fits(p, token, memory.verdictsFor(token));
}
