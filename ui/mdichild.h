// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMdiSubWindow>
#include <QWidget>

// A form inside the frame lives in a QMdiSubWindow; moving and hiding act on that window. A form
// built without the frame is its own window.
namespace MdiChild {

inline QWidget *frameOf(QWidget *form)
{
    if (auto *sub = qobject_cast<QMdiSubWindow *>(form->parentWidget()))
        return sub;
    return form;
}

} // namespace MdiChild
