// The classifier's steps. Results are exactly those of the plain step-by-step rules; the cost is
// kept down by deciding each field-token match at most once per record, remembering verdicts
// between records, and ruling tokens out cheaply before QRegExp sees them.
#include "engine/record_classifier.h"

#include "engine/engine_log.h"
#include "engine/pattern_prefilter.h"
#include "engine/text_segmentation.h"

#include <QHash>
#include <QRegExp>
#include <QVarLengthArray>
#include <QVector>

#include <algorithm>
#include <array>
#include <memory>
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

    static MatchMemory &forThisThread()
    {
        thread_local MatchMemory memory;
        return memory;
    }

    // Starts a record; returns the fields' pattern ids, -1 for an empty pattern.
    const std::vector<int> &beginRecord(const QList<FieldDef> &fieldDefs)
    {
        ++m_record;
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

    bool fits(int patternId, const QString &token, Verdict *verdicts)
    {
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

    bool match(int patternId, const QString &token) const
    {
        const Pattern &pattern = m_patterns[patternId];
        return !pattern.prefilter.rulesOut(token) && pattern.regExp->indexIn(token) >= 0;
    }

    int patternId(const QString &pattern)
    {
        const auto found = m_patternIds.constFind(pattern);
        if (found != m_patternIds.constEnd())
            return *found;
        m_patterns.push_back({ std::make_unique<QRegExp>(pattern, Qt::CaseSensitive, QRegExp::RegExp),
                               PatternPrefilter(pattern) });
        const int id = int(m_patterns.size()) - 1;
        m_patternIds.insert(pattern, id);
        return id;
    }

    // Pattern ids are reused after this, so every remembered verdict goes too.
    void forgetPatterns()
    {
        m_patterns.clear();
        m_patternIds.clear();
        ++m_generation;
    }

    struct Pattern
    {
        std::unique_ptr<QRegExp> regExp;
        PatternPrefilter prefilter;
    };

    std::vector<Pattern> m_patterns;
    QHash<QString, int> m_patternIds;
    QList<FieldDef> m_fieldDefs;
    std::vector<int> m_patternOf;
    std::vector<Slot> m_slots;
    quint32 m_generation = 1;
    quint64 m_record = 0;
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
    qCDebug(lcEngine) << "替换后的文本：" << text;
    qCDebug(lcEngine) << "分割后的长度：" << tokens.size();
}

void RecordClassifier::matchLabels()
{
    const int tokenCount = tokens.size();
    const int fieldCount = fieldDefs.size();
    if (tokenCount < 2 || fieldCount == 0)
        return; // no label can have a token after it

    // The last field of an equal name wins, so look from the end of the field list.
    QVector<int> labelIndex(tokenCount, -1);
    for (int t = 0; t < tokenCount; ++t) {
        for (int f = fieldCount - 1; f >= 0; --f) {
            const QString &name = fieldDefs.at(f).name;
            const QString &token = tokens.at(t);
            if (token.size() == name.size() && token.at(0) == name.at(0) && token == name) {
                labelIndex[t] = f;
                break;
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
    QVarLengthArray<MatchMemory::Verdict *, 32> verdicts(tokenCount);
    for (int t = 0; t < tokenCount; ++t)
        verdicts[t] = memory.verdictsFor(tokens.at(t));

    // Tokens only ever leave during this pass, so a field's matches are looked for once, from the
    // first token on, and only as far as needed: two live matches already make the field ambiguous.
    // Row f of fits holds the verdicts on the first scanned[f] tokens, liveMatches[f] how many of
    // those matches are still in play; a field gets its token when a full scan leaves exactly one.
    QVarLengthArray<bool, 32> taken(tokenCount);
    std::fill(taken.begin(), taken.end(), false);
    QVarLengthArray<bool, 512> fits(fieldCount * tokenCount);
    QVarLengthArray<int, 64> scanned(fieldCount);
    std::fill(scanned.begin(), scanned.end(), 0);
    QVarLengthArray<int, 64> liveMatches(fieldCount);
    std::fill(liveMatches.begin(), liveMatches.end(), 0);

    int f = 0;
    while (f < fieldCount) {
        if (filled.at(f) || patternOf[f] < 0) {
            ++f;
            continue;
        }
        bool *const row = fits.data() + f * tokenCount;
        while (liveMatches[f] < 2 && scanned[f] < tokenCount) {
            const int t = scanned[f]++;
            row[t] = !taken[t] && memory.fits(patternOf[f], tokens.at(t), verdicts[t]);
            liveMatches[f] += row[t];
        }
        if (liveMatches[f] != 1 || scanned[f] < tokenCount) {
            ++f;
            continue;
        }

        int t = 0;
        while (!row[t] || taken[t])
            ++t;
        const QString &token = tokens.at(t);
        qCDebug(lcEngine) << "正则匹配到：" << fieldDefs.at(f).name << "    " << token << "    "
                          << fieldDefs.at(f).pattern;
        cells[f] = token;
        filled[f] = true;
        taken[t] = true;
        for (int g = 0; g < fieldCount; ++g) {
            if (scanned[g] > t && fits[g * tokenCount + t])
                --liveMatches[g];
        }
        f = 0;
    }

    QStringList remaining;
    remaining.reserve(tokenCount);
    for (int t = 0; t < tokenCount; ++t) {
        if (!taken[t])
            remaining.append(tokens.at(t));
    }
    tokens = remaining;
}
