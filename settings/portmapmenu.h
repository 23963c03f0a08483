// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QObject>
#include <QString>

#include <functional>

class QAbstractButton;
class QButtonGroup;
class QWidget;

// The COM buttons' link to devices: each button's tooltip says which device its number reaches
// and whether this user can open it, and its right-click menu points ports/comN at a detected
// serial device or removes the link, so the number falls back to /dev/ttyS{N-1}. The buttons'
// ids are the port numbers less one.
class PortMapMenu : public QObject
{
    Q_OBJECT
public:
    struct Device
    {
        QString path; // what ports/comN links to: the /dev/serial/by-id name where there is one
        QString label;
    };
    // Finds the serial devices present.
    using Detect = std::function<QList<Device>()>;
    // This machine's serial devices, by their /dev/serial/by-id names where they have one.
    static QList<Device> presentDevices();

    PortMapMenu(QButtonGroup *ports, QWidget *dialog, Detect detect);

    QString describe(int n) const;
    // Links port n to target, or removes its link when target is empty; a failure shows why.
    void link(int n, const QString &target);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showMenu(int n, QAbstractButton *button);

    QButtonGroup *m_ports;
    QWidget *m_dialog;
    Detect m_detect;
};
