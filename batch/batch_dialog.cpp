// The preview shows the rows exactly as they will be added: the same review marks, the same
// columns, and duplicates against the table as well as within the batch.
#include "batch/batch_dialog.h"

#include "app/quorbel.h"
#include "review/duplicate_marks.h"
#include "review/duplicate_rows.h"
#include "review/review_marks.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// More would only slow the dialog down; the count says how many there are in all.
constexpr int previewRows = 200;

bool needsChecking(const RecordReview &review)
{
    return !review.notes.isEmpty() || !review.leftover.isEmpty();
}

QString markText(const DuplicateMark &mark, const QStringList &names, int tableRowCount)
{
    const bool inTable = mark.otherRow < tableRowCount;
    const QString other = inTable ? QStringLiteral("表格第 %1 行").arg(mark.otherRow + 1)
                                  : QStringLiteral("本批第 %1 条").arg(mark.otherRow - tableRowCount + 1);
    if (mark.soft)
        return QStringLiteral("与%1同名").arg(other);
    return QStringLiteral("与%1重复（%2）").arg(other, names.value(mark.column));
}

} // namespace

BatchDialog::BatchDialog(const QString &text, const QList<FieldDef> &fields,
                         const QList<QStringList> &tableRows, bool canInsert, QWidget *parent)
    : QDialog(parent)
    , m_text(text)
    , m_fields(fields)
    , m_tableRows(tableRows)
    , m_canInsert(canInsert)
    , m_source(new QLabel(this))
    , m_mode(new QComboBox(this))
    , m_reason(new QLabel(this))
    , m_preview(new QTableWidget(this))
    , m_marks(
          new DuplicateMarks(this,
                             [names = FieldCatalogue(fields).names(), tableCount = tableRows.size()](
                                 const DuplicateMark &mark) { return markText(mark, names, tableCount); }))
    , m_count(new QLabel(this))
    , m_skipRepeats(new QCheckBox(this))
    , m_insertBefore(new QCheckBox(QStringLiteral("插入到当前行之前"), this))
    , m_add(new QPushButton(this))
{
    setWindowTitle(QStringLiteral("批量添加"));
    setObjectName(QStringLiteral("batchDialog"));
    m_source->setObjectName(QStringLiteral("batchSource"));
    m_source->hide();
    m_mode->setObjectName(QStringLiteral("splitMode"));
    m_mode->addItem(QStringLiteral("自动"), int(BatchSplit::Auto));
    m_mode->addItem(QStringLiteral("按空行分条"), int(BatchSplit::Blocks));
    m_mode->addItem(QStringLiteral("每行一条"), int(BatchSplit::Lines));
    m_reason->setObjectName(QStringLiteral("splitReason"));
    m_preview->setObjectName(QStringLiteral("previewTable"));
    m_preview->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_preview->setItemDelegate(m_marks);
    m_preview->setColumnCount(fields.size());
    m_preview->setHorizontalHeaderLabels(FieldCatalogue(fields).names());
    m_count->setObjectName(QStringLiteral("batchCount"));
    m_skipRepeats->setObjectName(QStringLiteral("skipDuplicates"));
    m_insertBefore->setObjectName(QStringLiteral("insertBefore"));
    m_insertBefore->setVisible(canInsert);
    m_add->setObjectName(QStringLiteral("addButton"));
    m_add->setDefault(true);

    auto *modeRow = new QHBoxLayout;
    modeRow->addWidget(new QLabel(QStringLiteral("分条方式："), this));
    modeRow->addWidget(m_mode);
    modeRow->addWidget(m_reason, 1);
    auto *buttons = new QDialogButtonBox(this);
    buttons->addButton(m_add, QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_source);
    layout->addLayout(modeRow);
    layout->addWidget(m_preview, 1);
    layout->addWidget(m_count);
    layout->addWidget(m_skipRepeats);
    layout->addWidget(m_insertBefore);
    layout->addWidget(buttons);
    resize(760, 480);

    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_skipRepeats, &QCheckBox::toggled, this, &BatchDialog::updateAddButton);
    connect(m_mode, QOverload<int>::of(&QComboBox::activated), this, &BatchDialog::modeChosen);
}

void BatchDialog::setSource(const QString &source)
{
    m_source->setText(QStringLiteral("来源：") + source);
    m_source->setVisible(!source.isEmpty());
}

bool BatchDialog::prepare()
{
    m_records = splitBatch(m_text, BatchSplit(m_mode->currentData().toInt()), m_fields);
    m_reviews.clear();
    m_repeats.clear();
    const bool done = Quorbel::reviewWithProgress(
        this, QStringLiteral("批量添加"), QStringLiteral("正在分拣…"), m_records.texts, m_fields, &m_reviews);
    if (!done) {
        m_reviews.clear();
        m_records.texts.clear();
        m_records.reason = QStringLiteral("已取消");
    } else {
        // The batch after the table, so that a record is a repeat of what is already there first.
        QList<QStringList> all = m_tableRows;
        for (const RecordReview &review : m_reviews)
            all.append(review.cells);
        m_repeats.fill(false, m_reviews.size());
        const QStringList names = FieldCatalogue(m_fields).names();
        QVector<DuplicateMark> marks;
        const int tableCount = m_tableRows.size();
        for (DuplicateMark mark : findDuplicates(names, all)) {
            const int record = mark.row - tableCount;
            if (record < 0)
                continue;
            if (!mark.soft && mark.otherRow < mark.row)
                m_repeats[record] = true;
            // Preview rows are counted from the batch; the other row keeps its place in the whole.
            mark.row = record;
            if (record < previewRows)
                marks.append(mark);
        }
        m_marks->setMarks(marks);
    }
    showPreview();
    return done;
}

void BatchDialog::modeChosen()
{
    prepare();
}

void BatchDialog::showPreview()
{
    m_reason->setText(m_records.reason);
    const int shown = qMin(int(m_reviews.size()), previewRows);
    m_preview->setRowCount(0);
    m_preview->setRowCount(shown);
    for (int row = 0; row < shown; ++row)
        writeReviewedRow(m_preview, row, m_reviews.at(row));
    const int checking = int(std::count_if(m_reviews.begin(), m_reviews.end(), needsChecking));
    QString count = QStringLiteral("共 %1 条，其中 %2 条有待核对").arg(m_reviews.size()).arg(checking);
    if (shown < m_reviews.size())
        count += QStringLiteral("（预览前 %1 条）").arg(shown);
    m_count->setText(count);
    const int repeats = int(std::count(m_repeats.begin(), m_repeats.end(), true));
    m_skipRepeats->setText(QStringLiteral("跳过重复的 %1 条").arg(repeats));
    m_skipRepeats->setVisible(repeats > 0);
    if (repeats == 0)
        m_skipRepeats->setChecked(false);
    updateAddButton();
}

void BatchDialog::updateAddButton()
{
    const int count = rowsToAdd().size();
    m_add->setText(QStringLiteral("添加 %1 条").arg(count));
    m_add->setEnabled(count > 0);
}

QList<int> BatchDialog::rowsToAdd() const
{
    QList<int> rows;
    const bool skip = m_skipRepeats->isChecked();
    for (int i = 0; i < m_reviews.size(); ++i) {
        if (!skip || !m_repeats.value(i))
            rows.append(i);
    }
    return rows;
}

QStringList BatchDialog::texts() const
{
    QStringList texts;
    for (int i : rowsToAdd())
        texts.append(m_records.texts.at(i));
    return texts;
}

QList<RecordReview> BatchDialog::reviews() const
{
    QList<RecordReview> reviews;
    for (int i : rowsToAdd())
        reviews.append(m_reviews.at(i));
    return reviews;
}

bool BatchDialog::insertBefore() const
{
    return m_canInsert && m_insertBefore->isChecked();
}
