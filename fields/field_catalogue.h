// FieldDef and the ordered FieldCatalogue.
#pragma once

#include <QList>
#include <QString>

struct FieldDef
{
    QString name;
    QString pattern; // QRegExp syntax; empty means no pattern
};

bool operator==(const FieldDef &a, const FieldDef &b);
inline bool operator!=(const FieldDef &a, const FieldDef &b)
{
    return !(a == b);
}

// The user's columns, in the order used everywhere: list entry i, table column i, cell i.
class FieldCatalogue final
{
public:
    FieldCatalogue() = default;
    explicit FieldCatalogue(const QList<FieldDef> &fields);

    int size() const { return m_fields.size(); }
    bool isEmpty() const { return m_fields.isEmpty(); }
    bool isValidIndex(int index) const { return index >= 0 && index < m_fields.size(); }

    const FieldDef &at(int index) const { return m_fields.at(index); }
    FieldDef &operator[](int index) { return m_fields[index]; }

    void append(const FieldDef &field) { m_fields.append(field); }
    void removeAt(int index);
    void move(int from, int to);

    QStringList names() const;
    // The whole list, as handed to the engine and the field file; a copy of it is cheap (shared).
    const QList<FieldDef> &fields() const { return m_fields; }

private:
    QList<FieldDef> m_fields;
};
