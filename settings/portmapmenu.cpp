// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/portmapmenu.h"

#include "core/programfolders.h"
#include "core/runtimeerror.h"
#include "serial/portnumber.h"
#include "ui/messagebox.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QMenu>
#include <QRandomGenerator>
#include <QSerialPortInfo>

#include <cerrno>
#include <cstdio>

QList<PortMapMenu::Device> PortMapMenu::presentDevices()
{
    // A by-id name survives replugging and reordering, so it is what a link should hold.
    QHash<QString, QString> byId;
    const QDir ids(QStringLiteral("/dev/serial/by-id"));
    for (const QFileInfo &id : ids.entryInfoList(QDir::System | QDir::Files))
        byId.insert(id.canonicalFilePath(), id.absoluteFilePath());
    QList<PortMapMenu::Device> out;
    for (const QSerialPortInfo &port : QSerialPortInfo::availablePorts()) {
        const QString device = port.systemLocation();
        QStringList about {device};
        for (const QString &part : {port.description(), port.manufacturer(), port.serialNumber()})
            if (!part.isEmpty())
                about << part;
        out.append({byId.value(QFileInfo(device).canonicalFilePath(), device),
            about.join(QStringLiteral("，"))});
    }
    return out;
}

PortMapMenu::PortMapMenu(QButtonGroup *ports, QWidget *dialog, Detect detect)
    : QObject(dialog)
    , m_ports(ports)
    , m_dialog(dialog)
    , m_detect(std::move(detect))
{
    for (QAbstractButton *button : ports->buttons()) {
        const int n = ports->id(button) + 1;
        button->setToolTip(describe(n));
        button->installEventFilter(this);
        button->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(button, &QWidget::customContextMenuRequested, this,
            [this, n, button] { showMenu(n, button); });
    }
}

QString PortMapMenu::describe(int n) const
{
    // The folder rule looks at the disk; once is enough for one tooltip.
    const QString ports = ProgramFolders::ports();
    QString device;
    try {
        device = PortNumber::devicePath(qint16(n), ports);
    } catch (const RunTimeError &) {
        return {};
    }
    const QFileInfo entry(PortNumber::entryPath(qint16(n), ports));
    QString text = QStringLiteral("COM%1：%2").arg(n).arg(device);
    if (entry.isSymLink() && entry.symLinkTarget() != device)
        text += QStringLiteral("（經由 %1）").arg(entry.symLinkTarget());
    const QFileInfo info(device);
    if (!info.exists())
        return text + QStringLiteral("\n裝置不存在");
    if (!info.isReadable() || !info.isWritable())
        return text + QStringLiteral("\n裝置存在，但這個使用者沒有讀寫權限（dialout 群組）");
    return text + QStringLiteral("\n裝置存在，可以開啟");
}

void PortMapMenu::link(int n, const QString &target)
{
    const QString entry = PortNumber::entryPath(qint16(n), ProgramFolders::ports());
    QString why;
    const QFileInfo info(entry);
    if (entry.isEmpty()) {
        why = QStringLiteral("沒有存放連結的資料夾：HOME 未設定");
    } else if (info.exists() && !info.isSymLink()) {
        why = QStringLiteral("%1 不是連結，未更動").arg(entry);
    } else if (target.isEmpty()) {
        if (info.isSymLink() && !QFile::remove(entry))
            why = QStringLiteral("無法刪除 %1").arg(entry);
    } else {
        // A new link renamed over the old one: the number never points nowhere in between. It
        // is made under a random hidden name, and a link never replaces what is there, so no
        // file of the user's is ever touched.
        const QString folder = QFileInfo(entry).absolutePath();
        QString fresh;
        QFile device(target);
        if (!QDir().mkpath(folder)) {
            why = QStringLiteral("無法建立 %1").arg(folder);
        } else {
            bool made = false;
            for (int attempt = 0; attempt < 8 && !made; ++attempt) {
                fresh = folder
                    + QStringLiteral("/.com%1-%2.new")
                          .arg(n)
                          .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
                made = device.link(fresh);
                if (!made && !QFileInfo(fresh).exists() && !QFileInfo(fresh).isSymLink())
                    break;
            }
            if (!made) {
                why = QStringLiteral("無法建立 %1：%2").arg(fresh, device.errorString());
            } else if (std::rename(QFile::encodeName(fresh).constData(),
                           QFile::encodeName(entry).constData())
                != 0) {
                why = QStringLiteral("無法建立 %1：%2").arg(entry, qt_error_string(errno));
                QFile::remove(fresh);
            }
        }
    }
    m_ports->button(n - 1)->setToolTip(describe(n));
    if (!why.isEmpty())
        MessageBox::error(m_dialog, why);
}

bool PortMapMenu::eventFilter(QObject *watched, QEvent *event)
{
    // Devices come and go while the dialog is open: the tooltip is told when it is asked for.
    if (event->type() == QEvent::ToolTip) {
        if (auto *button = qobject_cast<QAbstractButton *>(watched))
            button->setToolTip(describe(m_ports->id(button) + 1));
    }
    return false;
}

void PortMapMenu::showMenu(int n, QAbstractButton *button)
{
    auto *menu = new QMenu(m_dialog);
    menu->setObjectName(QStringLiteral("portMapMenu"));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->setToolTipsVisible(true);
    const QFileInfo entry(PortNumber::entryPath(qint16(n), ProgramFolders::ports()));
    const QString current = entry.isSymLink() ? entry.symLinkTarget() : QString();
    const QList<Device> devices = m_detect();
    for (const Device &device : devices) {
        QAction *action = menu->addAction(QStringLiteral("COM%1 → %2").arg(n).arg(device.label));
        action->setToolTip(device.path);
        action->setCheckable(true);
        action->setChecked(device.path == current);
        connect(
            action, &QAction::triggered, this, [this, n, path = device.path] { link(n, path); });
    }
    if (devices.isEmpty())
        menu->addAction(QStringLiteral("沒有偵測到序列埠裝置"))->setEnabled(false);
    menu->addSeparator();
    QAction *remove = menu->addAction(QStringLiteral("移除對應（COM%1 回到 %2）")
                                          .arg(n)
                                          .arg(PortNumber::defaultDevice(qint16(n))));
    remove->setEnabled(entry.isSymLink());
    connect(remove, &QAction::triggered, this, [this, n] { link(n, {}); });
    menu->popup(button->mapToGlobal(QPoint(0, button->height())));
}
