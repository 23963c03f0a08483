// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/namedcomboaccessible.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>

namespace {

// Decided by class alone: the interface is cached when first asked for, which may be while the
// combo box is still being built.
QAccessibleInterface *factory(const QString &className, QObject *object)
{
    auto *combo = qobject_cast<QComboBox *>(object);
    return className == QLatin1String("QComboBox") && combo ? new NamedComboAccessible(combo)
                                                            : nullptr;
}

} // namespace

NamedComboAccessible::NamedComboAccessible(QComboBox *combo)
    : QAccessibleWidget(combo, QAccessible::ComboBox)
{ }

void NamedComboAccessible::installFactory()
{
    QAccessible::installFactory(factory);
}

QComboBox *NamedComboAccessible::combo() const
{
    return static_cast<QComboBox *>(object());
}

QString NamedComboAccessible::text(QAccessible::Text t) const
{
    if (t == QAccessible::Value || (t == QAccessible::Name && combo()->accessibleName().isEmpty()))
        return combo()->currentText();
    return QAccessibleWidget::text(t);
}

// The list first, then the line, as Qt's own combo box interface orders them.
int NamedComboAccessible::childCount() const
{
    return combo()->lineEdit() ? 2 : 1;
}

QAccessibleInterface *NamedComboAccessible::child(int index) const
{
    if (index == 0)
        return QAccessible::queryAccessibleInterface(combo()->view());
    if (index == 1 && combo()->lineEdit())
        return QAccessible::queryAccessibleInterface(combo()->lineEdit());
    return nullptr;
}

int NamedComboAccessible::indexOfChild(const QAccessibleInterface *child) const
{
    if (!child)
        return -1;
    if (child->object() == combo()->view())
        return 0;
    if (combo()->lineEdit() && child->object() == combo()->lineEdit())
        return 1;
    return -1;
}

QStringList NamedComboAccessible::actionNames() const
{
    return {showMenuAction(), pressAction()};
}

void NamedComboAccessible::doAction(const QString &actionName)
{
    if (actionName == showMenuAction() || actionName == pressAction())
        combo()->showPopup();
}
