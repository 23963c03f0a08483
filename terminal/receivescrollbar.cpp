// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "terminal/receivescrollbar.h"

#include <QStyleOptionSlider>

ReceiveScrollBar::ReceiveScrollBar(QWidget *parent)
    : QScrollBar(Qt::Vertical, parent)
{ }

ReceiveScrollBar::Look ReceiveScrollBar::look() const
{
    QStyleOptionSlider option;
    initStyleOption(&option);
    return {
        style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, this),
        option.state.toInt(), option.sliderPosition == option.minimum,
        option.sliderPosition == option.maximum};
}

void ReceiveScrollBar::sliderChange(SliderChange change)
{
    // A repaint already pending draws the new look anyway.
    if (change == SliderOrientationChange || look() != m_drawn)
        QScrollBar::sliderChange(change);
}

void ReceiveScrollBar::paintEvent(QPaintEvent *event)
{
    m_drawn = look();
    QScrollBar::paintEvent(event);
}
