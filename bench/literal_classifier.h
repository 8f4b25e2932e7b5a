// The classification rules transcribed step by step, with no regard for speed: the benchmark's
// baseline and the reference the engine is checked against. The program never uses it.
#pragma once

#include "engine/record_row.h"
#include "fields/field_catalogue.h"

#include <QList>
#include <QString>
#include <QStringList>

class LiteralClassifier final
{
public:
    LiteralClassifier(QString text, QList<FieldDef> fieldDefs);

    RecordRow result() const { return cells; }

private:
    Q_DISABLE_COPY(LiteralClassifier)

    void prepareCells();
    void segment();
    void matchLabels();
    void matchPatterns();

    QString text;
    QList<FieldDef> fieldDefs;
    QStringList tokens;
    QList<bool> filled;
    RecordRow cells;
};

RecordRow literalAnalyzeText(const QString &text, const QList<FieldDef> &fieldDefs);
// Whether a field of this pattern may take the token, by the same rules.
bool literalPatternFits(const QString &pattern, const QString &token);
