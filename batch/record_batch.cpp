// Splitting goes through the record reader that quorbel-sort uses; only the choice is made here.
#include "batch/record_batch.h"

#include "engine/analyze_text.h"
#include "records/record_reader.h"

#include <QRegularExpression>

#include <algorithm>

namespace {

// Enough lines to tell a list from one person's details; the rest of a long list is like its head.
constexpr int linesJudged = 200;

int filledCells(const RecordRow &row)
{
    return int(std::count_if(row.begin(), row.end(), [](const QString &cell) { return !cell.isEmpty(); }));
}

// More than half of the lines give two or more cells, as "张三 13800138000" does and "手机：" does not.
bool linesLookLikeRecords(const QStringList &lines, const QList<FieldDef> &fields)
{
    const int judged = qMin(int(lines.size()), linesJudged);
    int full = 0;
    for (int i = 0; i < judged; ++i) {
        if (filledCells(analyzeText(lines.at(i), fields)) >= 2)
            ++full;
    }
    return 2 * full > judged;
}

// A sign-up list numbers its people ("1. 张三 …", "2、李四 …", "(3) 王五 …"). Left in the text, the number
// is a token of its own that an unanchored pattern such as the gender preset's takes for the cell.
const QRegularExpression &listNumber()
{
    static const QRegularExpression number(
        QStringLiteral("^[ \\t\\x{3000}]*(?:[(（]\\d{1,3}[)）]|\\d{1,3}[.．、)）])[ \\t\\x{3000}]*(?!\\d)"));
    return number;
}

// Only a list whose records mostly start with a number loses them, so that one record starting with
// a value that looks like a number is left as it was written.
void dropListNumbers(QStringList *texts)
{
    if (texts->size() < 2)
        return;
    const int numbered = int(std::count_if(texts->begin(), texts->end(), [](const QString &text) {
        return listNumber().match(text).hasMatch();
    }));
    if (2 * numbered <= texts->size())
        return;
    for (QString &text : *texts) {
        const QRegularExpressionMatch match = listNumber().match(text);
        if (match.hasMatch() && match.capturedLength() < text.size())
            text.remove(0, match.capturedLength());
    }
}

BatchRecords byBlocks(QStringList blocks)
{
    const int count = int(blocks.size());
    return { std::move(blocks), BatchSplit::Blocks, QStringLiteral("按空行分为 %1 条").arg(count) };
}

BatchRecords byLines(QStringList lines, const QString &why = QString())
{
    const int count = int(lines.size());
    return { std::move(lines), BatchSplit::Lines, QStringLiteral("每行一条，共 %1 条").arg(count) + why };
}

BatchRecords splitAsWritten(const QString &text, BatchSplit mode, const QList<FieldDef> &fields)
{
    if (mode == BatchSplit::Lines)
        return byLines(splitRecordText(text, RecordReader::Mode::Lines));
    QStringList blocks = splitRecordText(text, RecordReader::Mode::Blocks);
    if (mode == BatchSplit::Blocks || blocks.size() > 1)
        return byBlocks(std::move(blocks));
    if (blocks.isEmpty())
        return { QStringList(), BatchSplit::Blocks, QStringLiteral("没有可添加的文字") };

    QStringList lines = splitRecordText(text, RecordReader::Mode::Lines);
    if (lines.size() == 1)
        return { std::move(blocks), BatchSplit::Blocks, QStringLiteral("只有一行，作为 1 条") };
    if (linesLookLikeRecords(lines, fields))
        return byLines(std::move(lines), QStringLiteral("（没有空行，多数行含两项以上可识别的信息）"));
    return { std::move(blocks), BatchSplit::Blocks,
             QStringLiteral("没有空行，多数行只含一项信息，整段作为 1 条") };
}

} // namespace

BatchRecords splitBatch(const QString &text, BatchSplit mode, const QList<FieldDef> &fields)
{
    BatchRecords records = splitAsWritten(text, mode, fields);
    dropListNumbers(&records.texts);
    return records;
}
