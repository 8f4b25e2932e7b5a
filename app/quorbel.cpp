// Construction and wiring of the main window.
#include "app/quorbel.h"

#include "app/list_item_delegate.h"
#include "review/review_marks.h"
#include "table/kept_table.h"
#include "workspace/workspace.h"

#include <QLockFile>
#include <QUndoStack>

Quorbel::Quorbel(QWidget *parent)
    : QMainWindow(parent)
{
    ui.setupUi(this);

    // One per process; a later window (tests make several) keeps it and checks the directory again.
    if (workspace)
        ensureDirectory(workspace->dataDir);
    else
        workspace = new Workspace;
    fieldsPath = workspace->dataDir + QStringLiteral("fields.txt");

    ui.fieldsList->setEditTriggers(QAbstractItemView::DoubleClicked);
    auto *delegate = new ListItemDelegate;
    ui.fieldsList->setItemDelegate(delegate);

    // Made by signature text, in this order: loading below already reaches the slots.
    connect(delegate, SIGNAL(signalTextModified(int, QString)), this,
            SLOT(slotFieldItemTextModified(int, QString)));
    connect(ui.workspaceAction, SIGNAL(triggered()), this, SLOT(slotWorkSpaceActionTriggered()));
    connect(ui.resortAction, SIGNAL(triggered()), this, SLOT(slotResortButtonClicked()));
    connect(ui.helpAction, SIGNAL(triggered()), this, SLOT(slotHelpActionTriggered()));
    connect(ui.aboutAction, SIGNAL(triggered()), this, SLOT(slotAboutActionTriggered()));
    connect(ui.addCol, SIGNAL(clicked()), this, SLOT(slotFieldItemAdd()));
    connect(ui.inputButton, SIGNAL(clicked()), this, SLOT(slotInputButtonClicked()));
    connect(ui.insertButton, SIGNAL(clicked()), this, SLOT(slotInsertButtonClicked()));
    connect(ui.resortButton, SIGNAL(clicked()), this, SLOT(slotResortButtonClicked()));
    connect(ui.pasteButton, SIGNAL(clicked()), this, SLOT(slotPasteButtonClicked()));
    connect(ui.copyExcelButton, SIGNAL(clicked()), this, SLOT(slotExcelButtonClicked()));
    connect(ui.fieldsList, SIGNAL(customContextMenuRequested(QPoint)), this, SLOT(slotFieldItemMenu(QPoint)));
    connect(ui.fieldsList, SIGNAL(currentRowChanged(int)), this, SLOT(slotFieldItemRowChanged()));
    connect(ui.patternEdit, SIGNAL(textChanged(QString)), this, SLOT(slotFieldItemPatternModified(QString)));
    connect(ui.tableWidget, SIGNAL(customContextMenuRequested(QPoint)), this,
            SLOT(slotTableItemMenu(QPoint)));
    connect(ui.tableWidget, SIGNAL(itemChanged(QTableWidgetItem *)), this,
            SLOT(slotTableItemChanged(QTableWidgetItem *)));
    connect(ui.tableWidget, SIGNAL(currentCellChanged(int, int, int, int)), this,
            SLOT(slotTableCurrentCellChanged(int)));
    connect(ui.adoptSelectedAction, SIGNAL(triggered()), this, SLOT(slotAdoptSelectedTriggered()));
    connect(ui.adoptAllAction, SIGNAL(triggered()), this, SLOT(slotAdoptAllTriggered()));
    keepRowMarkersNumbered(ui.tableWidget);
    hideStaleRowTips(ui.tableWidget);

    wireExport();
    wireUndo();
    wireRowCommands();
    wireBatch();
    wireFirstStart();

    loadFields();
    refreshTableHeader();
    startKeepingTable();
}

Quorbel::~Quorbel()
{
    // A normal end: nothing is restored next time, and the people's details leave the disk.
    stopKeepingTable();
    // The delegate has no parent; the view only keeps a guarded pointer to it.
    delete ui.fieldsList->itemDelegate();
}
