// Literal transcription: regular-expression replace and split, a fresh QRegExp for every test of a
// token, a full rescan after every assignment, tokens erased from the list one by one.
#include "bench/literal_classifier.h"

#include "engine/engine_log.h"
#include "engine/pattern_check.h"

#include <QRegExp>

LiteralClassifier::LiteralClassifier(QString text, QList<FieldDef> fieldDefs)
    : text(std::move(text))
    , fieldDefs(std::move(fieldDefs))
{
    prepareCells();
    segment();
    matchLabels();
    matchPatterns();
}

void LiteralClassifier::prepareCells()
{
    for (int i = 0; i < fieldDefs.size(); ++i) {
        cells.append(QString());
        filled.append(false);
    }
}

void LiteralClassifier::segment()
{
    text.replace(QRegExp(QStringLiteral("[:,：，。、\\s]+")), QStringLiteral("\n"));
    qCDebug(lcEngine) << "替换后的文本：" << text;
#if QT_VERSION >= QT_VERSION_CHECK(5, 14, 0)
    tokens = text.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
#else
    tokens = text.split(QLatin1Char('\n'), QString::SkipEmptyParts);
#endif
    qCDebug(lcEngine) << "分割后的长度：" << tokens.size();
}

void LiteralClassifier::matchLabels()
{
    QList<int> labelIndex;
    for (int t = 0; t < tokens.size(); ++t)
        labelIndex.append(-1);

    for (int f = 0; f < fieldDefs.size(); ++f) {
        for (int t = 0; t < tokens.size(); ++t) {
            if (tokens.at(t) == fieldDefs.at(f).name)
                labelIndex[t] = f;
        }
    }

    for (int i = 0; i <= tokens.size() - 2; ++i) {
        if (labelIndex.at(i) >= 0 && labelIndex.at(i + 1) == -1) {
            const int f = labelIndex.at(i);
            qCDebug(lcEngine) << "匹配：" << fieldDefs.at(f).name << "  " << tokens.at(i + 1);
            if (!filled.at(f)) {
                cells[f] = tokens.at(i + 1);
                filled[f] = true;
            }
        }
    }

    for (int a = tokens.size() - 2; a >= 0; --a) {
        if (labelIndex.at(a) >= 0 && labelIndex.at(a + 1) == -1) {
            tokens.removeAt(a + 1);
            tokens.removeAt(a);
        }
    }
}

bool literalPatternFits(const QString &pattern, const QString &token)
{
    // A pattern over the limits fits nothing; a token over the length limit is never tried.
    const PatternCheck check = checkPattern(pattern);
    return !pattern.isEmpty() && check.reason.isEmpty() && token.size() <= check.longestToken
        && QRegExp(pattern).indexIn(token) >= 0;
}

void LiteralClassifier::matchPatterns()
{
    int f = 0;
    while (f < fieldDefs.size()) {
        const FieldDef &field = fieldDefs.at(f);
        if (filled.at(f) || field.pattern.isEmpty()) {
            ++f;
            continue;
        }
        int count = 0;
        int first = -1;
        for (int t = 0; t < tokens.size(); ++t) {
            if (literalPatternFits(field.pattern, tokens.at(t))) {
                if (count == 0)
                    first = t;
                ++count;
            }
        }
        if (count == 1) {
            qCDebug(lcEngine) << "正则匹配到：" << field.name << "    " << tokens.at(first) << "    "
                              << field.pattern;
            cells[f] = tokens.at(first);
            tokens.removeAt(first);
            filled[f] = true;
            f = 0;
        } else {
            ++f;
        }
    }
}

RecordRow literalAnalyzeText(const QString &text, const QList<FieldDef> &fieldDefs)
{
    const LiteralClassifier classifier(text, fieldDefs);
    return classifier.result();
}
