// The field templates: a small data file embedded in the program, and the fields one of them adds.
#include "fields/field_templates.h"

#include "fields/known_fields.h"

#include <QFile>
#include <QSet>

namespace {

// One template per line: its name, a full-width colon, the field names separated by spaces. Lines
// without a colon or without a field name are skipped.
QList<FieldTemplate> parseFieldTemplates(const QString &text)
{
    QList<FieldTemplate> templates;
    for (const QString &line : text.split(QLatin1Char('\n'))) {
        const int colon = line.indexOf(QChar(0xFF1A)); // ：
        if (colon <= 0)
            continue;
        FieldTemplate entry { line.left(colon).trimmed(), line.mid(colon + 1).split(QLatin1Char(' ')) };
        for (QString &name : entry.fieldNames)
            name = name.trimmed();
        entry.fieldNames.removeAll(QString()); // runs of spaces, a line's \r
        if (!entry.name.isEmpty() && !entry.fieldNames.isEmpty())
            templates.append(entry);
    }
    return templates;
}

} // namespace

const QList<FieldTemplate> &fieldTemplates()
{
    static const QList<FieldTemplate> templates = [] {
        Q_INIT_RESOURCE(fields);
        QFile file(QStringLiteral(":/fields/field_templates.txt"));
        file.open(QIODevice::ReadOnly);
        return parseFieldTemplates(QString::fromUtf8(file.readAll()));
    }();
    return templates;
}

QList<FieldDef> templateFields(const FieldTemplate &fieldTemplate, const QList<FieldDef> &existing)
{
    QSet<QString> taken;
    for (const FieldDef &field : existing)
        taken.insert(field.name);
    QList<FieldDef> added;
    for (const QString &name : fieldTemplate.fieldNames) {
        if (taken.contains(name))
            continue;
        taken.insert(name);
        added.append({ name, presetPattern(name) });
    }
    return added;
}
