// The main window: its members, its slots and the operations the slots share.
#pragma once

#include "engine/record_row.h"
#include "fields/field_catalogue.h"
#include "ui_quorbel.h"

#include <QMainWindow>
#include <QPoint>
#include <QString>
#include <QStringList>

class Quorbel final : public QMainWindow
{
    Q_OBJECT

public:
    explicit Quorbel(QWidget *parent = nullptr);
    ~Quorbel() override;

    // Field file
    void loadFields();
    void saveFields();
    // Preset pattern for a field name, or the empty string.
    QString presetPattern(const QString &name) const;
    // Field views
    void refreshFieldsList();
    void refreshTableHeader();
    // Moves one field with its list entry and its table column.
    void moveField(int from, int to);
    // Engine glue
    RecordRow analyzeText(QString text, QList<FieldDef> fieldDefs) const;
    void fillRow(int row, QString text, QList<FieldDef> fieldDefs);

    // Read-only views for callers that check the window's state.
    const FieldCatalogue &fieldCatalogue() const { return catalogue; }
    const QStringList &records() const { return recordTexts; }
    const QString &fieldFilePath() const { return fieldsPath; }

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

private:
    Ui::QuorbelClass ui;
    QString fieldsPath;
    FieldCatalogue catalogue;
    QStringList recordTexts;
    // The field file existed at start-up but could not be read: saving it would destroy fields never loaded.
    bool fieldFileUnread = false;
};
