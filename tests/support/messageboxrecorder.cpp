// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/messageboxrecorder.h"

MessageBoxRecorder::MessageBoxRecorder()
{
    MessageBox::setHandler([this](const MessageBox::Request &request) {
        m_boxes.append(request);
        if (!m_answers.isEmpty())
            return m_answers.dequeue();
        return request.defaultButton != QMessageBox::NoButton ? request.defaultButton
                                                              : QMessageBox::Ok;
    });
}

MessageBoxRecorder::~MessageBoxRecorder()
{
    MessageBox::setHandler({});
}

QStringList MessageBoxRecorder::texts() const
{
    QStringList out;
    for (const auto &b : m_boxes)
        out.append(b.text);
    return out;
}
