// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QWidget>

// A filled circle whose fill colour is the state of a modem line; to screen readers a check box
// named by its label, checked while lit.
class LampShape : public QWidget
{
    Q_OBJECT
public:
    explicit LampShape(QWidget *parent = nullptr);

    QColor fillColor() const { return m_fill; }
    void setFillColor(const QColor &color);
    bool isOn() const { return m_fill == On; }

    static inline const QColor On = QColor(255, 0, 0);
    static inline const QColor Off = QColor(0, 0, 0);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor m_fill = Off;
};
