// analyzeText: one short-lived classifier per record; analyzeTexts for many, with a way to stop.
#include "engine/analyze_text.h"

#include "engine/record_classifier.h"

RecordRow analyzeText(const QString &text, const QList<FieldDef> &fieldDefs)
{
    const RecordClassifier classifier(text, fieldDefs);
    return classifier.result();
}

bool analyzeTexts(const QStringList &texts, const QList<FieldDef> &fieldDefs,
                  const std::function<bool(int done)> &keepGoing, QList<RecordRow> *rows)
{
    rows->clear();
    rows->reserve(texts.size());
    for (const QString &text : texts) {
        rows->append(analyzeText(text, fieldDefs));
        if (!keepGoing(rows->size()))
            return false;
    }
    return true;
}
