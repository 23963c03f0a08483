// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMessageBox>
#include <QString>

#include <functional>

class QWidget;

// Every modal box of the program goes through here. A real QMessageBox is shown unless a handler
// is installed, which then records the box and answers it.
class MessageBox
{
public:
    struct Request
    {
        QString title;
        QString text;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QMessageBox::StandardButtons buttons = QMessageBox::Ok;
        QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
        // The second, smaller line under the text (what went wrong, what to do); read out with it.
        QString detail {};
    };
    using Handler = std::function<QMessageBox::StandardButton(const Request &)>;

    static QMessageBox::StandardButton show(QWidget *parent, const Request &request);

    // The error box of every handler: title "錯誤", exclamation icon, one OK button.
    static void error(QWidget *parent, const QString &text, const QString &detail = {});

    // Replaces the real box; an empty handler restores it.
    static void setHandler(Handler handler);
};
