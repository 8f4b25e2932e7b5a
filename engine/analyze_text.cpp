// analyzeText: one short-lived classifier per record.
#include "engine/analyze_text.h"

#include "engine/record_classifier.h"

RecordRow analyzeText(const QString &text, const QList<FieldDef> &fieldDefs)
{
    const RecordClassifier classifier(text, fieldDefs);
    return classifier.result();
}
