// Reading and writing the field file from the main window, and the boxes that report its failures.
#include "app/quorbel.h"

#include "fields/field_file.h"
#include "fields/text_file.h"

#include <QMessageBox>

void Quorbel::loadFields()
{
    if (!fileExists(fieldsPath))
        return;
    QList<FieldDef> fields;
    QString errorText;
    if (!readFieldFile(fieldsPath, &fields, &errorText)) {
        fieldFileUnread = true;
        QMessageBox::critical(nullptr, QStringLiteral("错误"), errorText, QMessageBox::Ok);
    }
    for (const FieldDef &field : fields)
        catalogue.append(field);
    refreshFieldsList();
}

void Quorbel::saveFields()
{
    QString errorText;
    if (fieldFileUnread) {
        errorText =
            QStringLiteral("启动时无法读取字段文件，为保护原有字段，未覆盖该文件\n路径：%1").arg(fieldsPath);
    } else if (writeFieldFile(fieldsPath, catalogue.fields(), &errorText)) {
        return;
    }
    QMessageBox::critical(nullptr, QStringLiteral("保存失败"), errorText, QMessageBox::Ok);
}
