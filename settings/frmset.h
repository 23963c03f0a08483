// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "settings/portmapmenu.h"

#include <QWidget>

#include <functional>

class QButtonGroup;
class QGroupBox;
class QPushButton;

// The communication settings dialog. It edits five parts of its own and changes the shared
// settings, the file, the status bar and an open port only on "確定".
class frmSet : public QWidget
{
    Q_OBJECT
public:
    // detect finds the devices the COM buttons' menus offer.
    explicit frmSet(PortMapMenu::Detect detect);

    // What "確定" calls while the port is open, to reopen it with the new choice; it throws
    // RunTimeError when the port cannot be reopened. Unset, an open port is left alone.
    void setReopenPort(std::function<void()> reopen) { m_reopenPort = std::move(reopen); }

    void Form_Load();
    void get_Set();

    void optPort_Click(int index);
    void optSpeed_Click(int index);
    void optCheck_Click(int index);
    void optData_Click(int index);
    void optStop_Click(int index);
    void cmdSure_Click();
    void cmdCancel_Click();

    QString SpeedPart;
    QString ParityPart;
    QString DataPart;
    QString StopPart;
    QString PortPart;

Q_SIGNALS:
    // A status bar panel (numbered from 1) should now read text.
    void panelTextChanged(int panel, const QString &text);

private:
    void buildControls();
    void connectHandlers();
    void unload();
    static void select(QButtonGroup *group, const QStringList &values, const QString &part);

    QGroupBox *famPort = nullptr;
    QGroupBox *famSpeed = nullptr;
    QGroupBox *famStop = nullptr;
    QGroupBox *famData = nullptr;
    QGroupBox *famCheck = nullptr;
    QButtonGroup *optPort = nullptr;
    QButtonGroup *optSpeed = nullptr;
    QButtonGroup *optStop = nullptr;
    QButtonGroup *optData = nullptr;
    QButtonGroup *optCheck = nullptr;
    QPushButton *cmdCancel = nullptr;
    QPushButton *cmdSure = nullptr;
    PortMapMenu::Detect m_detect;
    std::function<void()> m_reopenPort;
};
