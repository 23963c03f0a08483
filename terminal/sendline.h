// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QComboBox>

class QAction;

// A send line: the text to send, typed or picked from the history of what was sent from it. A
// line the user edited joins its history at its next send; picking from the list is no edit. An
// edit that would make the line longer than its limit is refused whole, and refused() says so.
class SendLine : public QComboBox
{
    Q_OBJECT
public:
    SendLine(qsizetype limit, QWidget *parent);

    // Adds the text to the history when the user edited it since it was last recorded.
    void recordHistory();
    // Offers "append the Modbus CRC" in the line's edit menu and on Ctrl+M.
    void addModbusCrcAction();

Q_SIGNALS:
    void refused();
    // The line holds no byte list to append a CRC to.
    void crcRefused();

private:
    void appendModbusCrc();
    void showContextMenu(const QPoint &pos);

    bool m_changed = false;
    QAction *m_appendCrc = nullptr;
};
