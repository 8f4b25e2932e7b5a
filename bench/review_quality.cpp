// The review measures, as the issue defines them; see README.md.
#include "bench/review_quality.h"

#include "engine/analyze_text.h"
#include "engine/record_classifier.h"
#include "review/record_review.h"

#include <QRegExp>
#include <QRegularExpression>
#include <QSet>

#include <algorithm>
#include <cstdio>

namespace {

QString halfWidthDigits(QString text)
{
    for (QChar &c : text) {
        if (c.unicode() >= 0xFF01 && c.unicode() <= 0xFF5E)
            c = QChar(c.unicode() - 0xFEE0);
    }
    return text;
}

bool noted(const RecordReview &review, int field)
{
    for (const ReviewNote &note : review.notes) {
        if (note.field == field)
            return true;
    }
    return false;
}

// The window shows the left-over tokens: a missing value is in sight when each of its pieces is.
bool amongLeftover(const RecordReview &review, const QString &written)
{
    if (written.isEmpty())
        return false;
    const QStringList pieces = written.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    return std::all_of(pieces.cbegin(), pieces.cend(), [&review](const QString &piece) {
        return std::any_of(review.leftover.cbegin(), review.leftover.cend(),
                           [&piece](const QString &token) { return token.contains(piece); });
    });
}

// Every label word and field name the generator writes, of both halves: a cell holding one holds no value.
bool isLabelWord(const QString &text)
{
    static const QSet<QString> words = [] {
        QSet<QString> all;
        for (const Half half : { Half::Taught, Half::HeldOut }) {
            const Vocabulary vocabulary(half);
            for (const QString &list : { QStringLiteral("labels"), QStringLiteral("field_names") }) {
                for (const QString &line : vocabulary.words(list))
                    all.insert(line.mid(line.indexOf(QLatin1Char(' ')) + 1));
            }
        }
        return all;
    }();
    QString bare = text;
    bare.remove(QRegularExpression(QStringLiteral("^[【\\[(（]|[】\\])）:：=]$")));
    return words.contains(bare);
}

// What a silent cell shows, roughly, in the order the checks are made: the kind of fault to look for.
QString silentFault(const ReviewSample &sample, const RecordReview &review, int field)
{
    const QString &cell = review.cells.at(field);
    const QString &truth = sample.truth.at(field);
    if (cell.isEmpty()) {
        const QString &written = sample.written.at(field);
        for (const QString &other : review.cells) {
            if (!other.isEmpty() && other.contains(written))
                return QStringLiteral("value missing, inside another field's cell");
        }
        return QStringLiteral("value missing, out of sight");
    }
    if (isLabelWord(cell))
        return QStringLiteral("a label word as the value");
    if (std::any_of(cell.cbegin(), cell.cend(), [](QChar c) {
            return c.category() == QChar::Other_Format || c.unicode() == 0xA0 || c.unicode() == 0x3000;
        }))
        return QStringLiteral("values glued by an invisible character");
    if (QRegularExpression(QStringLiteral("^\\d{1,2}[.、]")).match(cell).hasMatch())
        return QStringLiteral("list numbering glued to the value");
    if (!truth.isEmpty() && cell.contains(truth) && cell != truth) {
        for (const QString &word : cell.split(truth)) {
            if (isLabelWord(word))
                return QStringLiteral("a label glued to the value");
        }
        return QStringLiteral("the value glued to more text");
    }
    if (sample.truth.contains(cell) || sample.written.contains(cell))
        return truth.isEmpty() ? QStringLiteral("another field's value, the field empty in truth")
                               : QStringLiteral("another field's value");
    if (sample.traits & SpreadsheetRow)
        return QStringLiteral("a spreadsheet row's header word");
    if (!truth.isEmpty() && halfWidthDigits(cell) == truth)
        return QStringLiteral("full-width forms");
    return truth.isEmpty() ? QStringLiteral("a word of no field") : QStringLiteral("another text");
}

bool suggestionRight(const ReviewSample &sample, const RecordReview &review)
{
    for (int f = 0; f < sample.truth.size(); ++f) {
        const QString &value = review.suggested.at(f);
        if (value != sample.truth.at(f)
            && (sample.alsoRight.at(f).isEmpty() || value != sample.alsoRight.at(f)))
            return false;
    }
    return true;
}

void printSample(const ReviewSample &sample, const RecordReview &review)
{
    const auto line = [](const QStringList &cells) {
        return QStringList(cells)
            .replaceInStrings(QStringLiteral("\n"), QStringLiteral("⏎"))
            .join(QLatin1Char('|'))
            .toUtf8();
    };
    QStringList names;
    for (const FieldDef &field : sample.fields)
        names.append(field.name + QLatin1Char('=') + field.pattern);
    QString text = sample.text;
    text.replace(QLatin1Char('\n'), QStringLiteral("⏎")).replace(QLatin1Char('\t'), QStringLiteral("⇥"));
    for (QChar &c : text) {
        if (c.category() == QChar::Other_Format || c.unicode() == 0xA0 || c.unicode() == 0x3000)
            c = QChar(0x2423); // an invisible character, shown
    }
    std::printf("--- %s\n", qPrintable(text));
    std::printf("fields:    %s\n", line(names).constData());
    std::printf("truth:     %s\n", line(sample.truth).constData());
    std::printf("cells:     %s\n", line(review.cells).constData());
    std::printf("suggested: %s\n", line(review.suggested).constData());
    std::printf("leftover:  %s\n", line(review.leftover).constData());
    for (const ReviewNote &note : review.notes)
        std::printf("  [%d %s] %s\n", note.field, noteKindName(note.kind), qPrintable(note.text));
}

} // namespace

void countReview(const ReviewSample &sample, const QDate &today, ReviewTally *t, int *show,
                 const QString &showWhat)
{
    const RecordReview review = reviewText(sample.text, sample.fields, today);
    ++t->records;
    t->cellsEqual += review.cells == analyzeText(sample.text, sample.fields);
    const bool right = review.cells == sample.truth;
    const bool suggested = suggestionRight(sample, review);
    t->cellsRight += right;
    t->suggestedRight += suggested;
    const bool noisy = right && !review.notes.isEmpty();
    if (noisy) {
        ++t->noisy;
        t->faultyNoisy += (sample.traits & (FaultyValue | OldIdNumber)) != 0;
        for (const ReviewNote &note : review.notes)
            ++t->noisyNotes[sample.kinds.at(note.field) + QLatin1Char(' ')
                            + QLatin1String(noteKindName(note.kind))];
    }
    for (int f = 0; f < sample.fields.size(); ++f) {
        const QString &pattern = sample.fields.at(f).pattern;
        if (!sample.truth.at(f).isEmpty() && !pattern.isEmpty() && QRegExp(pattern).isValid()
            && !fieldPatternFits(sample.fields, f, sample.truth.at(f))) {
            ++t->outsidePattern;
            break;
        }
    }
    bool silent = false;
    QStringList faults; // of the silent cells
    for (int f = 0; f < sample.fields.size(); ++f) {
        const QString &kind = sample.kinds.at(f);
        ++t->wrongCells[kind].of;
        if (review.cells.at(f) == sample.truth.at(f))
            continue;
        ++t->wrongCells[kind].count;
        ++t->silentCells[kind].of;
        if (!noted(review, f)
            && !(review.cells.at(f).isEmpty() && amongLeftover(review, sample.written.at(f)))) {
            ++t->silentCells[kind].count;
            faults.append(silentFault(sample, review, f));
            ++t->silentFaults[faults.last()];
            silent = true;
        }
    }
    t->wrong += !right;
    t->silent += silent;
    for (int bit = 0; bit < pasteTraitCount; ++bit) {
        if (sample.traits & (1u << bit)) {
            ++t->traitSilent[bit].of;
            t->traitSilent[bit].count += silent;
            ++t->traitSuggested[bit].of;
            t->traitSuggested[bit].count += suggested;
        }
    }
    // "silent:WORDS" shows the silent records with a fault whose description holds WORDS.
    const QString fault = showWhat.section(QLatin1Char(':'), 1);
    const bool interesting = showWhat == QLatin1String("silent") ? silent
        : showWhat.startsWith(QLatin1String("silent:"))          ? std::any_of(
                       faults.cbegin(), faults.cend(), [&fault](const QString &f) { return f.contains(fault); })
        : showWhat == QLatin1String("noise") ? noisy
                                             : !suggested;
    if (interesting && *show > 0) {
        --*show;
        printSample(sample, review);
    }
}

void printTally(const char *title, const ReviewTally &t)
{
    const double n = t.records / 100.0;
    std::printf("== %s: %d pastes", title, t.records);
    if (t.fieldLists > 0)
        std::printf(" over %d field lists (%.1f fields a list)", t.fieldLists,
                    double(t.fieldCount) / t.fieldLists);
    std::printf("\n");
    std::printf(
        "silent (records with a wrong cell neither noted nor left over): %5.1f %%  (%d of %d wrong)\n",
        t.silent / n, t.silent, t.wrong);
    std::printf(
        "noise (fully right records with a note):                        %5.1f %%  (%d of %d right; %d of "
        "them hold a faulty value or an old ID number)\n",
        t.noisy * 100.0 / qMax(1, t.cellsRight), t.noisy, t.cellsRight, t.faultyNoisy);
    std::printf("suggested row fully right:                                      %5.1f %%\n",
                t.suggestedRight / n);
    std::printf("cells equal to the rules' row:                                  %5.1f %%\n",
                t.cellsEqual / n);
    std::printf("cells fully right (the rules alone):                            %5.1f %%\n",
                t.cellsRight / n);
    std::printf("records with a right value its field's pattern rejects:         %5.1f %%\n",
                t.outsidePattern / n);
    std::printf("by kind, wrong cells / of them silent:");
    for (auto it = t.wrongCells.cbegin(); it != t.wrongCells.cend(); ++it) {
        const Rate silent = t.silentCells.value(it.key());
        std::printf(" %s %.0f%%/%d", qPrintable(it.key()), it->percent(), silent.count);
    }
    std::printf("\nby trait, pastes: silent %% / suggested right %%:");
    for (int bit = 0; bit < pasteTraitCount; ++bit) {
        if (t.traitSilent[bit].of > 0)
            std::printf("\n  %-16s %5d: %5.1f / %5.1f", pasteTraitName(bit), t.traitSilent[bit].of,
                        t.traitSilent[bit].percent(), t.traitSuggested[bit].percent());
    }
    std::printf("\nsilent cells by what they hold:");
    for (auto it = t.silentFaults.cbegin(); it != t.silentFaults.cend(); ++it)
        std::printf("\n  %6d %s", it.value(), qPrintable(it.key()));
    std::printf("\nnotes on fully right records, by kind and note:");
    for (auto it = t.noisyNotes.cbegin(); it != t.noisyNotes.cend(); ++it)
        std::printf(" [%s] %d", qPrintable(it.key()), it.value());
    std::printf("\n");
}
