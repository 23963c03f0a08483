// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/messagebox.h"

#include <QList>
#include <QQueue>

// While it lives, boxes are recorded, not shown, answered from a queue (else their default button).
class MessageBoxRecorder
{
public:
    MessageBoxRecorder()
    {
        MessageBox::setHandler([this](const MessageBox::Request &request) {
            m_boxes.append(request);
            if (!m_answers.isEmpty())
                return m_answers.dequeue();
            return request.defaultButton != QMessageBox::NoButton ? request.defaultButton
                                                                  : QMessageBox::Ok;
        });
    }
    ~MessageBoxRecorder() { MessageBox::setHandler({}); }
    MessageBoxRecorder(const MessageBoxRecorder &) = delete;
    MessageBoxRecorder &operator=(const MessageBoxRecorder &) = delete;

    void answerNext(QMessageBox::StandardButton answer) { m_answers.enqueue(answer); }
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
    QQueue<QMessageBox::StandardButton> m_answers;
};
