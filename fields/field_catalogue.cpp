// FieldCatalogue operations.
#include "fields/field_catalogue.h"

#include <QStringList>

bool operator==(const FieldDef &a, const FieldDef &b)
{
    return a.name == b.name && a.pattern == b.pattern;
}

FieldCatalogue::FieldCatalogue(const QList<FieldDef> &fields)
    : m_fields(fields)
{ }

void FieldCatalogue::removeAt(int index)
{
    if (isValidIndex(index))
        m_fields.removeAt(index);
}

void FieldCatalogue::move(int from, int to)
{
    if (isValidIndex(from) && isValidIndex(to) && from != to)
        m_fields.move(from, to);
}

QStringList FieldCatalogue::names() const
{
    QStringList result;
    result.reserve(m_fields.size());
    for (const FieldDef &field : m_fields)
        result.append(field.name);
    return result;
}
