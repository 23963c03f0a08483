// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/messagebox.h"

#include "ui/uitexts.h"

#include <QLabel>

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
    // A device path and its remedy read on a line or two, not folded under the short message.
    if (auto *detail = box.findChild<QLabel *>(QStringLiteral("qt_msgbox_informativelabel")))
        detail->setMinimumWidth(detail->fontMetrics().averageCharWidth() * 60);
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
