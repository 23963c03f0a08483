// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QScrollBar>
#include <QStyle>

#include <functional>

// A receive area's vertical scroll bar: its range, value and signals are those of any scroll bar,
// but the area's own changes repaint it only when it would be drawn differently. Following the end
// of a long log changes the range every frame while the thumb moves by a pixel every few thousand
// rows.
class ReceiveScrollBar : public QScrollBar
{
public:
    explicit ReceiveScrollBar(QWidget *parent = nullptr);

    // Runs change (range, page, value) and repaints once, if the look changed.
    void quietly(const std::function<void()> &change);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    // What the style draws from the range and value.
    struct Look
    {
        QRect thumb;
        QStyle::State::Int state = 0;
        bool atMinimum = false;
        bool atMaximum = false;
        bool operator==(const Look &) const = default;
    };
    Look look() const;

    Look m_drawn;
};
