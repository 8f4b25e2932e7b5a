// Seeded generator of pastes as people really send them, for field lists as people really write
// them: batches of records share a field list (a random subset of kinds, in random order, named as
// people type them, with the preset pattern or one a user would write), and each paste mixes label
// synonyms in any bracket, invisible characters and punctuation gluing values, list numbering,
// spreadsheet rows, numbers in groups, full-width digits and words of no field. Every word comes from
// one half of the word lists, so figures can be read on the half the review was never tuned on.
#pragma once

#include "bench/vocabulary.h"
#include "fields/field_catalogue.h"

#include <QDate>
#include <QList>
#include <QStringList>

#include <random>

// What a paste shows besides plain values and separators the rules know; a paste may show several.
enum PasteTrait : uint {
    SynonymLabel = 1 << 0, // a value after a label word that is not its field's name
    BracketLabel = 1 << 1, // 【手机】, [Tel]
    GluedLabel = 1 << 2, // a label with no separator before its value
    InvisibleGlue = 1 << 3, // two values joined by a zero-width or other invisible character
    PunctuationGlue = 1 << 4, // two values joined by - / . ; |
    Numbered = 1 << 5, // "3.汉族", "2、男"
    SpreadsheetRow = 1 << 6, // a line of labels, then a line of values
    GroupedNumber = 1 << 7, // 139 0571 2266, +86 139…
    FullWidth = 1 << 8, // a value in full-width digits or letters
    OldIdNumber = 1 << 9, // a 15-digit ID number
    ExtraValue = 1 << 10, // a value of a kind the field list does not hold
    FaultyValue = 1 << 11, // a value that breaks its kind's check as written
};
const int pasteTraitCount = 12;
const char *pasteTraitName(int bit);

struct VariedPaste
{
    QString text; // no blank line inside, so that blank lines can separate pastes in a file
    QList<FieldDef> fields; // the batch's field list
    QStringList kinds; // the generator's kind of each field ("mobile", "school"…)
    QStringList truth; // per field: the value as the user means it, half-width, empty when absent
    QStringList alsoRight; // per field: the value as written when that is full-width, else empty
    QStringList written; // per field: the value's text as it stands in the paste (without label)
    uint traits = 0;
};

class VariedPastes final
{
public:
    // batchSize: records that share one field list.
    VariedPastes(quint32 seed, Half half, const QDate &today, int batchSize = 25);

    VariedPaste next();
    const QList<FieldDef> &fields() const { return m_fields; }

    // The generator's kinds of value, each the key of its lines in labels.txt, field_names.txt and
    // patterns.txt.
    static QStringList kindNames();

private:
    struct Value
    {
        QString truth;
        QString written;
        uint traits = 0;
    };

    void newFieldList();
    Value valueOf(const QString &kind, const QDate &birth, bool male, int age);
    QString labelled(const QString &kind, const QString &fieldName, const QString &written, uint *traits);
    QString idNumber(const QDate &birth, bool male, uint *traits);
    QString date(const QDate &day);
    QString mobile();
    QString digits(int count);
    QString fill(QString form);
    QString pick(const QStringList &list) { return list.isEmpty() ? QString() : list.at(below(list.size())); }
    QString pickFrom(const QString &list) { return pick(m_words.words(list)); }
    int below(int bound) { return int(m_random() % quint32(bound)); }
    bool chance(int percent) { return below(100) < percent; }

    std::mt19937 m_random; // its output sequence is fixed by the C++ standard, so runs repeat
    Vocabulary m_words;
    QDate m_today;
    int m_batchSize;
    int m_inBatch = 0;
    QList<FieldDef> m_fields;
    QStringList m_kinds;
    int m_synonyms = 0; // this paste's share of labels that are not the field's name, in percent
    int m_decoration = 0; // this paste's usual way of writing a label
};
