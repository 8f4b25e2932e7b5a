// What the suggestion rules make: per field the proposal, the field a cell's text was proposed for,
// and which sources are taken. The rules build it up in turn; the notes are written from it.
#pragma once

#include "review/review_faults.h"
#include "review/review_sources.h"

#include <QString>
#include <QStringList>
#include <QVector>

class RecordContext;

struct Proposal
{
    bool made = false;
    QString value;
    Reason reason;
};

struct Suggestions
{
    Suggestions(int fields, const QVector<bool> &broken, Sources sources);

    QVector<bool> broken; // per field, a check found a fault in its cell
    Sources sources;
    QVector<Proposal> proposals;
    QVector<int> vacated; // the field a cell's text was proposed for, or -1
    QStringList proposedValues; // a text goes to one column at most

    // Nothing proposed yet, and the cell is empty or faulty and not set by hand.
    bool open(const RecordContext &record, int f) const;
    // The index of the source not yet taken that stands for the text, or -1.
    int sourceOf(const QString &text) const;
    // Proposes value for field f from source s (-1: from no one source). False, proposing nothing,
    // when the value already went to another field or is the cell's own.
    bool propose(const RecordContext &record, int f, int s, const QString &value, const Reason &reason);
};
