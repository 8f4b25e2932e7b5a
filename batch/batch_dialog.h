// The preview of a batch: how the text splits into records, the first rows as they will be added,
// what needs checking, duplicates, and where the rows go.
#pragma once

#include "batch/record_batch.h"
#include "fields/field_catalogue.h"
#include "review/record_review.h"

#include <QDialog>
#include <QList>
#include <QStringList>

class DuplicateMarks;
class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;

class BatchDialog final : public QDialog
{
    Q_OBJECT

public:
    // The table's rows are what duplicates are sought against; canInsert offers 插入到当前行之前.
    BatchDialog(const QString &text, const QList<FieldDef> &fields, const QList<QStringList> &tableRows,
                bool canInsert, QWidget *parent);

    // Where the text came from, shown above the choice ("名单.txt（GB18030）").
    void setSource(const QString &source);
    // Splits and classifies the text as the mode chooses, with a progress bar that can be
    // cancelled; false when it was.
    bool prepare();

    // What 添加 adds, in order: the duplicates left out when the user chose so.
    QStringList texts() const;
    QList<RecordReview> reviews() const;
    bool insertBefore() const;

private:
    void modeChosen();
    void showPreview();
    void updateAddButton();
    QList<int> rowsToAdd() const;

    QString m_text;
    QList<FieldDef> m_fields;
    QList<QStringList> m_tableRows;
    bool m_canInsert;
    BatchRecords m_records;
    QList<RecordReview> m_reviews; // one per record once prepared
    QVector<bool> m_repeats; // per record: shares a value with an earlier record or a table row

    QLabel *m_source;
    QComboBox *m_mode;
    QLabel *m_reason;
    QTableWidget *m_preview;
    DuplicateMarks *m_marks;
    QLabel *m_count;
    QCheckBox *m_skipRepeats;
    QCheckBox *m_insertBefore;
    QPushButton *m_add;
};
