// The classifier's steps. The results are those of the plain step-by-step rules; the work is
// arranged so that a record costs one regular-expression match per field and token at most.
#include "engine/record_classifier.h"

#include "engine/engine_log.h"
#include "engine/text_segmentation.h"

#include <QHash>
#include <QRegExp>
#include <QVector>

#include <vector>

namespace {

// Records usually share one field list, so compiled patterns are kept per thread and reused:
// building a QRegExp per record costs more than matching it. QRegExp keeps match state inside the
// object, hence per thread rather than shared.
const QRegExp &compiledPattern(const QString &pattern)
{
    constexpr int maxCachedPatterns = 512;
    thread_local QHash<QString, QRegExp> cache;
    auto it = cache.constFind(pattern);
    if (it == cache.constEnd()) {
        if (cache.size() >= maxCachedPatterns)
            cache.clear();
        it = cache.insert(pattern, QRegExp(pattern, Qt::CaseSensitive, QRegExp::RegExp));
    }
    return *it;
}

} // namespace

RecordClassifier::RecordClassifier(QString text, QList<FieldDef> fieldDefs)
    : text(std::move(text))
    , fieldDefs(std::move(fieldDefs))
{
    prepareCells();
    segment();
    matchLabels();
    matchPatterns();
}

void RecordClassifier::prepareCells()
{
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
            if (tokens.at(t) == fieldDefs.at(f).name) {
                labelIndex[t] = f;
                break;
            }
        }
    }

    // A label followed by a non-label makes a pair. Pairs cannot overlap (a pair's second token is
    // no label), so one ascending walk both assigns them and drops them from the token list.
    QStringList remaining;
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

    // Tokens only ever leave during this pass, so whether a pattern fits a token is decided once:
    // when the field is first looked at, for the tokens still there. liveMatches then follows every
    // assignment; -1 means the field has not been looked at yet.
    std::vector<bool> taken(tokenCount, false);
    std::vector<std::vector<bool>> fits(fieldCount);
    std::vector<int> liveMatches(fieldCount, -1);

    int f = 0;
    while (f < fieldCount) {
        if (filled.at(f) || fieldDefs.at(f).pattern.isEmpty()) {
            ++f;
            continue;
        }
        if (liveMatches[f] < 0) {
            const QRegExp &rx = compiledPattern(fieldDefs.at(f).pattern);
            std::vector<bool> &row = fits[f];
            row.assign(tokenCount, false);
            int count = 0;
            for (int t = 0; t < tokenCount; ++t) {
                if (!taken[t] && rx.indexIn(tokens.at(t)) >= 0) {
                    row[t] = true;
                    ++count;
                }
            }
            liveMatches[f] = count;
        }
        if (liveMatches[f] != 1) {
            ++f;
            continue;
        }

        int t = 0;
        while (!fits[f][t] || taken[t])
            ++t;
        const QString &token = tokens.at(t);
        qCDebug(lcEngine) << "正则匹配到：" << fieldDefs.at(f).name << "    " << token << "    "
                          << fieldDefs.at(f).pattern;
        cells[f] = token;
        filled[f] = true;
        taken[t] = true;
        for (int g = 0; g < fieldCount; ++g) {
            if (liveMatches[g] > 0 && fits[g][t])
                --liveMatches[g];
        }
        f = 0;
    }

    QStringList remaining;
    for (int t = 0; t < tokenCount; ++t) {
        if (!taken[t])
            remaining.append(tokens.at(t));
    }
    tokens = remaining;
}
