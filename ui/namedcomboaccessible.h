// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAccessibleWidget>

class QComboBox;

// A combo box is read by the accessible name given to it, its text as its value. Qt names combo
// boxes on Linux after their text, so a send line would be read out as whatever was typed in it.
class NamedComboAccessible : public QAccessibleWidget
{
public:
    explicit NamedComboAccessible(QComboBox *combo);

    // Registers the interface for every combo box; more calls change nothing.
    static void installFactory();

    QString text(QAccessible::Text t) const override;
    int childCount() const override;
    QAccessibleInterface *child(int index) const override;
    int indexOfChild(const QAccessibleInterface *child) const override;
    QStringList actionNames() const override;
    void doAction(const QString &actionName) override;

private:
    QComboBox *combo() const;
};
