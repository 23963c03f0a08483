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

void ReceiveScrollBar::quietly(const std::function<void()> &change)
{
    // QAbstractSlider repaints on every range or value change, whatever a subclass says.
    const bool disabled = testAttribute(Qt::WA_UpdatesDisabled);
    setAttribute(Qt::WA_UpdatesDisabled);
    change();
    setAttribute(Qt::WA_UpdatesDisabled, disabled);
    if (look() != m_drawn)
        update();
}

void ReceiveScrollBar::paintEvent(QPaintEvent *event)
{
    m_drawn = look();
    QScrollBar::paintEvent(event);
}
