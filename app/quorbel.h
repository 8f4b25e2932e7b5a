// The main window: its members, its slots and the operations the slots share.
#pragma once

#include "engine/record_row.h"
#include "export/export_file.h"
#include "fields/field_catalogue.h"
#include "fields/field_file_keeper.h"
#include "records/handed_on_rows.h"
#include "table/record_table.h"
#include "ui_quorbel.h"

#include <QMainWindow>
#include <QPoint>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class KeptTable;
class QLabel;
class QLockFile;
class QUndoStack;
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
    // The record texts, entry r for table row r, kept for re-sorting.
    QStringList records() const;
    const RecordTable &table() const { return recordTable; }
    QUndoStack *undoSteps() const { return undoStack; }
    const QString &fieldFilePath() const { return fieldsPath; }

    // The table's cells as shown, hand edits included; a cell without an item is empty.
    QList<QStringList> tableRows() const;
    // Export: the text, and HTML when a cell needs it, on the clipboard; the file dialog; the file.
    void putOnClipboard(const QList<QStringList> &rows);
    void exportTableAs();
    bool exportTableTo(const QString &path, ExportFormat format);
    // Rows: deleting the selected ones, clearing the table, and the count of rows that were neither
    // copied nor exported as they stand.
    void deleteSelectedRows();
    void clearTable();
    void markTableHandedOn();
    int unsavedRowCount() const;
    // Batch add: a list cut into records and previewed, then added as one step; from the input box
    // (or the clipboard), from a text file, or from a file dropped on the window.
    void batchAdd(const QString &text, const QString &source = QString());
    bool importBatchFile(const QString &path);
    // The file named on the command line ("Open with", a file dropped on the program), imported as
    // 导入文本文件… would once the window is up; the first argument after the program's name.
    void importFileArgument(const QStringList &arguments);
    void addRecords(int row, const QStringList &texts, const QList<RecordReview> &reviews,
                    const QString &stepText = QString());
    // The table's rows change only here: in their owner, in the view and on disk. A step goes on the
    // undo stack; placeCursor puts the current cell where the command wants it afterwards.
    void applyTableChange(TableChange *change);
    void pushTableStep(const QString &text, const TableChange &change,
                       const std::function<void()> &placeCursor = {});
    // The fields' columns changed: new column c holds what old column fromOld[c] held (-1: nothing).
    void tableColumnsChanged(const QVector<int> &fromOld);
    void tableColumnsRenamed();
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
    void wireUndo();
    // The table kept in the data directory: restored at start-up after an abnormal end, deleted at a
    // normal one.
    void startKeepingTable();
    void keepTable(const TableChange &change);
    void stopKeepingTable();
    void removeRows(const QList<int> &rows, const QString &stepText);
    void adoptSuggestions(const QList<int> &rows);

    Ui::QuorbelClass ui;
    QString fieldsPath;
    FieldCatalogue catalogue;
    // The rows: record texts, cells, hand edits and review, which tableWidget shows.
    RecordTable recordTable;
    // What loading found about the field file decides what saving may do.
    FieldFileKeeper fieldFile;
    // Saves have failed since the last one that worked: the box was shown, the status bar says the rest.
    bool saveFailing = false;
    QLabel *saveWarning = nullptr; // made at the first failure
    HandedOnRows handedOn;
    QString lastExportPath;
    QUndoStack *undoStack = nullptr;
    // The view changes because the rows did, not by a hand edit.
    bool showingRows = false;
    // 添加 runs for 识别剪贴板, whose name the step takes.
    bool addingFromClipboard = false;
    std::unique_ptr<QLockFile> tableLock; // held while this window keeps the table on disk
    std::unique_ptr<KeptTable> keptTable; // none when another window holds the data directory
};
