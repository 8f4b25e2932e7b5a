// The labels of one field list: every word of a paste that says whose value follows. A field's own
// name (normalised), its head word (所在部门 → 部门), the names and synonyms of its kind, and words
// of kinds the list does not ask for, whose values the reading leaves out.
#pragma once

#include "fields/field_catalogue.h"
#include "fields/known_fields.h"
#include "reading/reading_words.h"

#include <QHash>
#include <QSet>
#include <QString>
#include <QVector>

struct FieldLabel
{
    enum class Target {
        Field, // this field's name or head word
        Kind, // a word of a kind: the field is chosen by the value's kind and order
        Other, // someone else's detail (紧急联系人)
        Foreign, // a detail no field asks for
    };
    Target target = Target::Foreign;
    int field = -1;
    FieldKind kind = FieldKind::Other;
    ExtraKind extra = ExtraKind::None;
    bool closed = false; // glued to Chinese text only with a colon or bracket between
    bool known = false; // a word of the tables, not a phrase guessed a label by its colon
    bool own = false; // the field's own name or head word, not a synonym
};

class FieldLabels final
{
public:
    explicit FieldLabels(const QList<FieldDef> &fields);

    int count() const { return kinds.size(); }
    // The label a whole word (lower case, half-width, no spaces) is, if any.
    bool find(const QString &word, FieldLabel *label) const;
    // A label phrase written before a colon or in brackets: the word itself, or without the words
    // around a head word, or by a known label it ends in; else a label of nothing the list asks.
    // Listed, if given, says whether the phrase itself is a label word.
    FieldLabel resolvePhrase(const QString &phrase, bool *listed = nullptr) const;
    // Whether a label word may start at the two characters (a cheap test before any look-up).
    bool mayStart(QChar first, QChar second) const
    {
        return starts.contains(uint(first.unicode()) << 16 | second.unicode());
    }
    // The longest label word that starts with the two characters.
    int longestFrom(QChar first, QChar second) const
    {
        return starts.value(uint(first.unicode()) << 16 | second.unicode()).longest;
    }
    // Whether a label word of the length may start with the two characters: most lengths a scan
    // tries are ruled out before a string is made to look one up.
    bool mayHave(QChar first, QChar second, int length) const
    {
        return starts.value(uint(first.unicode()) << 16 | second.unicode()).lengths & lengthBit(length);
    }
    int longest = 0;

    QVector<FieldKind> kinds;
    QVector<ExtraKind> extras;
    QVector<QString> names; // normalised, bracketed remarks such as （选填） removed
    QVector<bool> validPattern;
    QVector<QString> patterns;

private:
    void add(const QString &word, const FieldLabel &label, int rank);

    QHash<QString, FieldLabel> labels;
    QHash<QString, int> ranks;
    struct Start
    {
        int longest = 0;
        quint32 lengths = 0; // a bit per length; the last stands for that length and longer
    };
    static quint32 lengthBit(int length) { return quint32(1) << qMin(length, 31); }
    QHash<uint, Start> starts; // the first two characters of the label words
};

// The name without bracketed remarks, spaces and punctuation, half-width and lower case.
QString normalizedLabel(const QString &name);
