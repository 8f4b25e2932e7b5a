// The main window: its members, its slots and the operations the slots share.
#pragma once

#include "engine/record_row.h"
#include "export/export_file.h"
#include "fields/field_catalogue.h"
#include "fields/field_file_keeper.h"
#include "records/handed_on_rows.h"
#include "records/removed_rows.h"
#include "ui_quorbel.h"

#include <QMainWindow>
#include <QPoint>
#include <QString>
#include <QStringList>

class QLabel;
struct FieldTemplate;
struct RecordReview;

class Quorbel final : public QMainWindow
{
    Q_OBJECT

public:
    explicit Quorbel(QWidget *parent = nullptr);
    ~Quorbel() override;

    // Field file
    void loadFields();
    void saveFields();
    // Field views
    void refreshFieldsList();
    void refreshTableHeader();
    // Moves one field with its list entry and its table column.
    void moveField(int from, int to);
    // Engine glue
    void fillRow(int row, QString text, QList<FieldDef> fieldDefs);

    // Read-only views for callers that check the window's state.
    const FieldCatalogue &fieldCatalogue() const { return catalogue; }
    const QStringList &records() const { return recordTexts; }
    const QString &fieldFilePath() const { return fieldsPath; }

    // The table's cells as shown, hand edits included; a cell without an item is empty.
    QList<QStringList> tableRows() const;
    // Export: the text, and HTML when a cell needs it, on the clipboard; the file dialog; the file.
    void putOnClipboard(const QList<QStringList> &rows);
    void exportTableAs();
    bool exportTableTo(const QString &path, ExportFormat format);
    // Rows: deleting the selected ones, bringing back the last deletion, clearing the table, and
    // the count of rows that were neither copied nor exported as they stand.
    void deleteSelectedRows();
    void undoRowDeletion();
    void clearTable();
    void markTableHandedOn();
    int unsavedRowCount() const;
    // Batch add: a list cut into records and previewed, then added as one step that Ctrl+Z takes
    // back; from the input box (or the clipboard), from a text file, or from a file dropped on the window.
    void batchAdd(const QString &text, const QString &source = QString());
    bool importBatchFile(const QString &path);
    // The file named on the command line ("Open with", a file dropped on the program), imported as
    // 导入文本文件… would once the window is up; the first argument after the program's name.
    void importFileArgument(const QStringList &arguments);
    void addRecords(int row, const QStringList &texts, const QList<RecordReview> &reviews);
    bool takeBackAddedRows();
    // Classifies and reviews the texts with a progress bar that can be cancelled; false when it was.
    static bool reviewWithProgress(QWidget *parent, const QString &title, const QString &label,
                                   const QStringList &texts, const QList<FieldDef> &fields,
                                   QList<RecordReview> *reviews);
    // First start: the boxes' placeholders, the hints over the empty views, the field templates.
    void wireFirstStart();
    void wireFieldTemplates();
    void applyFieldTemplate(const FieldTemplate &fieldTemplate);

public slots:
    void slotInputButtonClicked();
    void slotInsertButtonClicked();
    void slotPasteButtonClicked();
    void slotResortButtonClicked();
    void slotExcelButtonClicked();
    void slotFieldItemAdd();
    void slotFieldItemRowChanged();
    void slotFieldItemTextModified(int row, QString text);
    void slotFieldItemPatternModified(QString text);
    void slotFieldItemMenu(QPoint p);
    void slotFieldItemRename();
    void slotFieldItemDelete();
    void slotFieldItemMoveUp();
    void slotFieldItemMoveDown();
    void slotFieldItemMoveTop();
    void slotFieldItemMoveBottom();
    void slotWorkSpaceActionTriggered();
    void slotHelpActionTriggered();
    void slotAboutActionTriggered();
    // Record review
    void slotTableItemMenu(QPoint p);
    void slotTableItemChanged(QTableWidgetItem *item);
    void slotTableCurrentCellChanged(int row);
    void slotAdoptSelectedTriggered();
    void slotAdoptAllTriggered();

protected:
    // Asks before rows that were neither copied nor exported are lost.
    void closeEvent(QCloseEvent *event) override;

private:
    void wireExport();
    void wireRowCommands();
    void wireBatch();
    void removeRows(const QList<int> &rows);

    Ui::QuorbelClass ui;
    QString fieldsPath;
    FieldCatalogue catalogue;
    QStringList recordTexts;
    // What loading found about the field file decides what saving may do.
    FieldFileKeeper fieldFile;
    // Saves have failed since the last one that worked: the box was shown, the status bar says the rest.
    bool saveFailing = false;
    QLabel *saveWarning = nullptr; // made at the first failure
    HandedOnRows handedOn;
    RemovedRows lastRemoval;
    AddedRows lastAddition;
    bool addingRows = false; // the rows changing now are the batch's own
    QString lastExportPath;
};
