// Ready-made sets of fields (学生信息, 收件人 …) that a new user can start from.
#pragma once

#include "fields/field_catalogue.h"

#include <QList>
#include <QString>
#include <QStringList>

struct FieldTemplate
{
    QString name;
    QStringList fieldNames;
};

// The templates in menu order, read once from the embedded list.
const QList<FieldTemplate> &fieldTemplates();

// The fields a template adds after the existing ones: each of its names not already a field, with
// its preset pattern (or none), in the template's order.
QList<FieldDef> templateFields(const FieldTemplate &fieldTemplate, const QList<FieldDef> &existing);
