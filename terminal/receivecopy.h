// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/receivewriter.h"

#include <QString>

class QWidget;
class ReceiveText;

// Puts tokens from..to of a receive area on the clipboard as UTF-8, either as the area's text or
// as its byte list, written by ReceiveWriter a few megabytes at a time with the window
// answering in between: a long copy shows its progress over owner and can be cancelled, and stops
// when the log is cleared or goes away. When the memory for the text cannot be had, a box says
// TooLarge and the clipboard is left as it was.
class ReceiveCopy
{
public:
    using Form = ReceiveWriter::Form;

    static inline const QString TooLarge = QStringLiteral("選取範圍太大，無法複製");

    static void copy(QWidget *owner, const ReceiveText &text, qsizetype from, qsizetype to,
        Form form = Form::AreaText);
};
