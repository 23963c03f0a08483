// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/messagebox.h"

#include <QList>

// While it lives, boxes are recorded, not shown, answered as told once (else by their default).
class MessageBoxRecorder
{
public:
    MessageBoxRecorder()
    {
        MessageBox::setHandler([this](const MessageBox::Request &request) {
            m_boxes.append(request);
            const auto told = std::exchange(m_answer, QMessageBox::NoButton);
            return told ? told : request.defaultButton ? request.defaultButton : QMessageBox::Ok;
        });
    }
    ~MessageBoxRecorder() { MessageBox::setHandler({}); }
    MessageBoxRecorder(const MessageBoxRecorder &) = delete;
    MessageBoxRecorder &operator=(const MessageBoxRecorder &) = delete;

    void answerNext(QMessageBox::StandardButton answer) { m_answer = answer; }
    const QList<MessageBox::Request> &boxes() const { return m_boxes; }
    QStringList texts() const
    {
        QStringList out;
        for (const auto &b : m_boxes)
            out.append(b.text);
        return out;
    }
    void clear() { m_boxes.clear(); }

private:
    QList<MessageBox::Request> m_boxes;
    QMessageBox::StandardButton m_answer = QMessageBox::NoButton;
};
