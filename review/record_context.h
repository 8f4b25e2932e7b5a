// What every step of one record's review reads: the input, each field's kind and whether its pattern
// may be used, the text's tokens, and what is known of a text. Made once per record and not changed
// after; the steps get it by const reference and return what they make.
#pragma once

#include "fields/known_fields.h"
#include "review/review_types.h"
#include "review/text_facts.h"

#include <QDate>
#include <QHash>
#include <QStringList>
#include <QVector>

class RecordContext final
{
public:
    // The field facts must be those of the input's fields. Tokens: the text's, when the caller has
    // them from classifying it; the text is segmented again when not.
    RecordContext(const ReviewInput &input, const FieldFacts &fields, const QStringList *tokens,
                  const QDate &today);
    Q_DISABLE_COPY(RecordContext)

    const ReviewInput &in;
    const QDate today;
    const int count; // fields
    const QVector<FieldKind> kinds;
    const QStringList cells; // one for every field
    const QVector<bool> settled;
    const QVector<bool> usable; // the field has a pattern that compiles, is not too complex and means what was meant
    const QStringList tokens; // the text's tokens in order, when the text is known
    const QStringList listNumbers; // bare tokens 1, 2, 3… that number the text's lines or items

    const QString &cell(int f) const { return cells.at(f); }
    // An invalid pattern, or one too complex to be used, judges nothing.
    bool hasPattern(int f) const { return usable[f]; }
    // The field's pattern fits the text, as the rules decide it.
    bool fits(int f, const QString &text) const;
    // What the text is (text_facts.h), and the kind it plainly is (value_shapes.h). The review asks
    // them of the same texts many times over: the answers are kept for the record's length, the one
    // cache of the review.
    TextFacts facts(const QString &text) const;
    FieldKind plainKind(const QString &text) const;
    bool looksLike(FieldKind kind, const QString &text) const;

private:
    struct Known
    {
        TextFacts facts;
        bool plainKnown = false;
        FieldKind plain = FieldKind::Other;
    };
    Known &known(const QString &text) const;

    mutable QHash<QString, Known> m_known;
};
