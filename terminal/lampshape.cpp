// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "terminal/lampshape.h"

#include <QAccessibleWidget>
#include <QPainter>

namespace {

// A lamp reads as a check box that cannot be changed: checked while its line is on, so screen
// readers say its state and hear when it changes.
class LampShapeAccessible : public QAccessibleWidget
{
public:
    explicit LampShapeAccessible(LampShape *lamp)
        : QAccessibleWidget(lamp, QAccessible::CheckBox)
    { }
    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.checkable = true;
        s.readOnly = true;
        s.checked = static_cast<LampShape *>(widget())->isOn();
        return s;
    }
};

QAccessibleInterface *factory(const QString &className, QObject *object)
{
    if (className == QLatin1String("LampShape") && object && object->isWidgetType())
        return new LampShapeAccessible(static_cast<LampShape *>(object));
    return nullptr;
}

} // namespace

LampShape::LampShape(QWidget *parent)
    : QWidget(parent)
{
    QAccessible::installFactory(factory); // Qt keeps one entry however often it is installed
}

void LampShape::setFillColor(const QColor &color)
{
    if (color == m_fill)
        return;
    const bool wasOn = isOn();
    m_fill = color;
    update();
    if (isOn() != wasOn) {
        QAccessible::State changed;
        changed.checked = true;
        QAccessibleStateChangeEvent event(this, changed);
        QAccessible::updateAccessibility(&event);
    }
}

void LampShape::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(m_fill);
    const int d = qMin(width(), height()) - 2;
    p.drawEllipse(QRectF((width() - d) / 2.0, (height() - d) / 2.0, d, d));
}
