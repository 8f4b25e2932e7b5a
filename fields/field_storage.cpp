// Reading and writing the field file from the main window, and the boxes that report its failures.
#include "app/quorbel.h"

#include "fields/text_file.h"
#include "workspace/workspace.h"

#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QStatusBar>

void Quorbel::loadFields()
{
    removeSaveLeftovers(fieldsPath);
    const QString dataDir = QFileInfo(fieldsPath).path();
    QString dataProblem = dataDirectoryProblem(dataDir);
    if (dataProblem.isEmpty())
        dataProblem = dataDirectoryWriteProblem(dataDir, !workspace || workspace->portable());
    if (!dataProblem.isEmpty()) {
        // Said once, now; the saves that then fail for it only show in the status bar.
        saveFailing = true;
        QMessageBox::critical(nullptr, QStringLiteral("错误"), dataProblem, QMessageBox::Ok);
    }
    if (!fileExists(fieldsPath))
        return;
    QList<FieldDef> fields;
    QString errorText;
    if (!fieldFile.load(fieldsPath, &fields, &errorText))
        QMessageBox::critical(nullptr, QStringLiteral("错误"), errorText, QMessageBox::Ok);
    for (const FieldDef &field : fields)
        catalogue.append(field);
    refreshFieldsList();
}

void Quorbel::saveFields()
{
    QString errorText;
    if (fieldFile.save(fieldsPath, catalogue.fields(), &errorText)) {
        saveFailing = false;
        if (saveWarning)
            saveWarning->hide();
        const QString note = fieldFile.takeNote();
        if (!note.isEmpty())
            statusBar()->showMessage(note);
        return;
    }
    // One box per run of failures: every keystroke in the pattern box saves, and a box at each
    // would make the window unusable. The status bar keeps saying it until a save works again.
    if (!saveWarning) {
        saveWarning = new QLabel(statusBar());
        saveWarning->setObjectName(QStringLiteral("saveWarning"));
        saveWarning->setStyleSheet(QStringLiteral("color: #b00020;"));
        // A long path must not widen the window; the tool tip keeps the whole text.
        saveWarning->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
        statusBar()->addPermanentWidget(saveWarning, 1);
    }
    saveWarning->setText(QStringLiteral("字段未保存：")
                         + QString(errorText).replace(QLatin1Char('\n'), QLatin1Char(' ')));
    saveWarning->setToolTip(errorText);
    saveWarning->show();
    if (!saveFailing) {
        saveFailing = true;
        QMessageBox::critical(nullptr, QStringLiteral("保存失败"), errorText, QMessageBox::Ok);
    }
}
