// 文件 → 字段模板: the menu of ready-made field sets and adding one of them to the field list.
#include "app/quorbel.h"

#include "fields/field_templates.h"

#include <QMenu>
#include <QMessageBox>
#include <QStatusBar>

void Quorbel::wireFieldTemplates()
{
    auto *menu = new QMenu(QStringLiteral("字段模板"), this);
    menu->setObjectName(QStringLiteral("fieldTemplatesMenu"));
    menu->menuAction()->setObjectName(QStringLiteral("fieldTemplatesAction"));
    menu->setToolTipsVisible(true);
    const QList<FieldTemplate> &templates = fieldTemplates();
    for (int i = 0; i < templates.size(); ++i) {
        QAction *action = menu->addAction(templates.at(i).name, this,
                                          [this, i] { applyFieldTemplate(fieldTemplates().at(i)); });
        action->setToolTip(templates.at(i).fieldNames.join(QStringLiteral("、")));
    }
    ui.menu->insertMenu(ui.exportAction, menu);
}

void Quorbel::applyFieldTemplate(const FieldTemplate &fieldTemplate)
{
    const QList<FieldDef> added = templateFields(fieldTemplate, catalogue.fields());
    if (added.isEmpty()) {
        statusBar()->showMessage(QStringLiteral("“%1”的字段都已在字段列表中").arg(fieldTemplate.name));
        return;
    }
    QStringList names;
    for (const FieldDef &field : added)
        names << field.name;
    // Fields the user made are never replaced; the template's are only added after them, if wanted.
    if (catalogue.size() > 0
        && QMessageBox::question(this, QStringLiteral("字段模板"),
                                 QStringLiteral("把“%1”中尚未有的 %2 个字段（%3）添加到现有字段之后吗？")
                                     .arg(fieldTemplate.name)
                                     .arg(added.size())
                                     .arg(names.join(QStringLiteral("、"))),
                                 QMessageBox::Yes | QMessageBox::Cancel)
            != QMessageBox::Yes)
        return;
    const int first = catalogue.size();
    for (const FieldDef &field : added) {
        catalogue.append(field);
        auto *item = new QListWidgetItem(field.name);
        item->setFlags(item->flags() | Qt::ItemIsEditable);
        ui.fieldsList->addItem(item);
    }
    refreshTableHeader();
    saveFields();
    // The first new field becomes current, so the pattern box shows what it brought.
    ui.fieldsList->setCurrentRow(first);
}
