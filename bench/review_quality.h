// Measuring the record review on generated pastes whose right rows are known: silent errors, noise,
// right suggestions and cells equal to the rules' row, by kind of field and by trait of the paste, and
// what the silent cells hold.
#pragma once

#include "bench/varied_pastes.h"
#include "fields/field_catalogue.h"

#include <QDate>
#include <QMap>
#include <QString>
#include <QStringList>

// One generated paste, whichever generator made it.
struct ReviewSample
{
    QString text;
    QList<FieldDef> fields;
    QStringList kinds; // per field, for the figures by kind
    QStringList truth;
    QStringList alsoRight; // per field: a full-width form that also counts as right, or empty
    QStringList written; // per field: the value as it stands in the paste
    uint traits = 0;
};

struct Rate
{
    int of = 0;
    int count = 0;
    double percent() const { return of ? 100.0 * count / of : 0.0; }
};

struct ReviewTally
{
    int records = 0;
    int fieldLists = 0;
    int fieldCount = 0;
    int cellsEqual = 0; // review cells equal to the rules' row
    int cellsRight = 0;
    int suggestedRight = 0;
    int silent = 0;
    int wrong = 0; // records with a wrong or missing cell
    int noisy = 0;
    int faultyNoisy = 0; // of the noisy: a value as pasted breaks its check, or is an old ID number
    int outsidePattern = 0; // records with a right value that its field's valid pattern rejects
    QMap<QString, Rate> wrongCells, silentCells; // by kind: of the cells, the wrong; of the wrong, the silent
    QMap<QString, int> noisyNotes; // on fully right records, by kind and note kind
    QMap<QString, int> silentFaults; // silent cells by what went wrong
    Rate traitSilent[pasteTraitCount], traitSuggested[pasteTraitCount];
};

// Reviews the sample and counts it; prints it while *show lasts when it is what showWhat asks for:
// "silent", "silent:WORDS" (a silent cell whose fault's description holds WORDS), "noise", or else a
// record whose suggested row is not right.
void countReview(const ReviewSample &sample, const QDate &today, ReviewTally *tally, int *show,
                 const QString &showWhat);
void printTally(const char *title, const ReviewTally &tally);
