// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/messagebox.h"

#include "ui/uitexts.h"

namespace {
MessageBox::Handler &handler()
{
    static MessageBox::Handler h;
    return h;
}
} // namespace

QMessageBox::StandardButton MessageBox::show(QWidget *parent, const Request &request)
{
    if (handler())
        return handler()(request);
    QMessageBox box(request.icon, request.title, request.text, request.buttons, parent);
    box.setInformativeText(request.detail);
    if (request.defaultButton != QMessageBox::NoButton)
        box.setDefaultButton(request.defaultButton);
    return QMessageBox::StandardButton(box.exec());
}

void MessageBox::error(QWidget *parent, const QString &text, const QString &detail)
{
    show(parent,
        {UiTexts::ErrorTitle, text, QMessageBox::Warning, QMessageBox::Ok, QMessageBox::Ok,
            detail});
}

void MessageBox::setHandler(Handler h)
{
    handler() = std::move(h);
}
