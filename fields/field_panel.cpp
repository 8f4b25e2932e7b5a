// The field list panel: add, rename, delete, reorder fields and edit their patterns.
#include "app/quorbel.h"

#include "fields/preset_patterns.h"

QString Quorbel::presetPattern(const QString &name) const
{
    return ::presetPattern(name);
}

void Quorbel::slotFieldItemAdd() { }

void Quorbel::slotFieldItemRowChanged() { }

void Quorbel::slotFieldItemTextModified(int row, QString text)
{
    Q_UNUSED(row)
    Q_UNUSED(text)
}

void Quorbel::slotFieldItemPatternModified(QString text)
{
    Q_UNUSED(text)
}

void Quorbel::slotFieldItemMenu(QPoint p)
{
    Q_UNUSED(p)
}

void Quorbel::slotFieldItemRename() { }

void Quorbel::slotFieldItemDelete() { }

void Quorbel::slotFieldItemMoveUp() { }

void Quorbel::slotFieldItemMoveDown() { }

void Quorbel::slotFieldItemMoveTop() { }

void Quorbel::slotFieldItemMoveBottom() { }

void Quorbel::moveField(int from, int to)
{
    Q_UNUSED(from)
    Q_UNUSED(to)
}
