// RecordClassifier: turns one record text into one row, segmentation first, then the label pass and
// the pattern pass.
#pragma once

#include "engine/record_row.h"
#include "fields/field_catalogue.h"

#include <QList>
#include <QString>
#include <QStringList>

class RecordClassifier final
{
public:
    // Does all the work; afterwards only result() is left to call.
    RecordClassifier(QString text, QList<FieldDef> fieldDefs);

    RecordRow result() const { return cells; }
    // For the review: the tokens no field took, and which fields a label filled.
    const QStringList &leftoverTokens() const { return tokens; }
    const QList<bool> &labelledFields() const { return labelled; }
    // Every token of the text, in order, as segmentation made them.
    const QStringList &textTokens() const { return segmented; }

private:
    Q_DISABLE_COPY(RecordClassifier)

    void prepareCells();
    void segment();
    // A token equal to a field's name labels the token after it.
    void matchLabels();
    // An empty field takes the one remaining token its pattern fits; restarts after every assignment.
    void matchPatterns();

    QString text;
    QList<FieldDef> fieldDefs;
    QStringList tokens;
    QStringList segmented;
    QList<bool> filled;
    QList<bool> labelled; // filled as the label pass left it
    RecordRow cells;
};

// Whether the field's pattern fits the token, exactly as the classifier decides it and from the verdicts
// it remembers: the review asks about tokens the classifier has mostly tried already.
bool fieldPatternFits(const QList<FieldDef> &fieldDefs, int field, const QString &token);
