// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "resources/icons.h"

#include <QPainter>
#include <QPainterPath>

#include <functional>

namespace {

QPixmap draw(int size, const std::function<void(QPainter &, qreal)> &paint)
{
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    paint(p, size / 32.0);
    return pm;
}

// A DB-9 style connector: a trapezoid shell with two rows of pins.
void connector(QPainter &p, qreal s, const QColor &shell)
{
    QPainterPath path;
    path.moveTo(3 * s, 9 * s);
    path.lineTo(29 * s, 9 * s);
    path.lineTo(25 * s, 23 * s);
    path.lineTo(7 * s, 23 * s);
    path.closeSubpath();
    p.setPen(QPen(QColor(40, 40, 60), 1.5 * s));
    p.setBrush(shell);
    p.drawPath(path);
    p.setBrush(QColor(250, 220, 90));
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 5; ++i)
        p.drawEllipse(QPointF((8 + 4 * i) * s, 13.5 * s), 1.5 * s, 1.5 * s);
    for (int i = 0; i < 4; ++i)
        p.drawEllipse(QPointF((10 + 4 * i) * s, 18.5 * s), 1.5 * s, 1.5 * s);
}

QIcon icon(const std::function<void(QPainter &, qreal)> &paint)
{
    QIcon i;
    for (int size : {16, 24, 32, 48})
        i.addPixmap(draw(size, paint));
    return i;
}

void applicationPaint(QPainter &p, qreal s)
{
    connector(p, s, QColor(70, 110, 190));
    p.setPen(QPen(QColor(220, 30, 30), 2 * s));
    p.drawLine(QPointF(16 * s, 2 * s), QPointF(16 * s, 7 * s));
    p.drawArc(QRectF(10 * s, 1 * s, 12 * s, 8 * s), 30 * 16, 120 * 16);
}

} // namespace

QIcon Icons::application()
{
    return icon(applicationPaint);
}

QPixmap Icons::applicationPicture(int size)
{
    return draw(size, applicationPaint);
}

QPixmap Icons::logo(int size)
{
    return draw(size, [](QPainter &p, qreal s) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 230));
        p.drawRoundedRect(QRectF(1 * s, 1 * s, 30 * s, 30 * s), 4 * s, 4 * s);
        connector(p, s, QColor(70, 110, 190));
        p.setPen(QPen(QColor(220, 30, 30), 2 * s));
        p.drawLine(QPointF(16 * s, 23 * s), QPointF(16 * s, 30 * s));
    });
}

QIcon Icons::savePicture()
{
    return icon([](QPainter &p, qreal s) {
        p.setPen(QPen(QColor(30, 30, 80), 1.5 * s));
        p.setBrush(QColor(60, 90, 170));
        p.drawRect(QRectF(5 * s, 5 * s, 22 * s, 22 * s));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(9 * s, 5 * s, 14 * s, 8 * s));
        p.setBrush(QColor(200, 200, 200));
        p.drawRect(QRectF(10 * s, 18 * s, 12 * s, 9 * s));
    });
}

QIcon Icons::printPicture()
{
    return icon([](QPainter &p, qreal s) {
        p.setPen(QPen(QColor(40, 40, 40), 1.5 * s));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(9 * s, 4 * s, 14 * s, 10 * s));
        p.setBrush(QColor(150, 150, 160));
        p.drawRoundedRect(QRectF(4 * s, 13 * s, 24 * s, 10 * s), 2 * s, 2 * s);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(9 * s, 20 * s, 14 * s, 8 * s));
    });
}

QIcon Icons::portPicture()
{
    return icon([](QPainter &p, qreal s) { connector(p, s, QColor(70, 110, 190)); });
}

QIcon Icons::clearPicture()
{
    return icon([](QPainter &p, qreal s) {
        p.setPen(QPen(QColor(60, 60, 60), 1.5 * s));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(6 * s, 4 * s, 18 * s, 24 * s));
        p.setPen(QPen(QColor(200, 30, 30), 3 * s));
        p.drawLine(QPointF(9 * s, 10 * s), QPointF(27 * s, 28 * s));
        p.drawLine(QPointF(27 * s, 10 * s), QPointF(9 * s, 28 * s));
    });
}

QIcon Icons::exitPicture()
{
    return icon([](QPainter &p, qreal s) {
        p.setPen(QPen(QColor(90, 60, 30), 1.5 * s));
        p.setBrush(QColor(190, 140, 80));
        p.drawRect(QRectF(6 * s, 4 * s, 14 * s, 24 * s));
        p.setPen(QPen(QColor(30, 140, 30), 3 * s));
        p.drawLine(QPointF(14 * s, 16 * s), QPointF(28 * s, 16 * s));
        p.drawLine(QPointF(23 * s, 11 * s), QPointF(28 * s, 16 * s));
        p.drawLine(QPointF(23 * s, 21 * s), QPointF(28 * s, 16 * s));
    });
}

QIcon Icons::okPicture()
{
    return icon([](QPainter &p, qreal s) {
        p.setPen(QPen(QColor(20, 150, 40), 4 * s, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(
            QPolygonF({QPointF(6 * s, 17 * s), QPointF(13 * s, 24 * s), QPointF(26 * s, 8 * s)}));
    });
}

QIcon Icons::checksumWindow()
{
    return icon([](QPainter &p, qreal s) {
        p.setPen(QPen(QColor(40, 40, 60), 1.2 * s));
        p.setBrush(QColor(255, 255, 192));
        for (int i = 0; i < 4; ++i)
            p.drawRect(QRectF((3 + 7 * i) * s, 3 * s, 5 * s, 8 * s));
        p.setPen(QPen(QColor(200, 60, 30), 2 * s, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(
            QPolygonF({QPointF(16 * s, 13 * s), QPointF(16 * s, 18 * s), QPointF(13 * s, 15 * s)}));
        p.drawLine(QPointF(16 * s, 18 * s), QPointF(19 * s, 15 * s));
        p.setPen(QPen(QColor(40, 40, 60), 1.5 * s));
        p.setBrush(QColor(255, 224, 192));
        p.drawRect(QRectF(6 * s, 20 * s, 20 * s, 9 * s));
    });
}

QIcon Icons::asciiWindow()
{
    return icon([](QPainter &p, qreal s) {
        p.setPen(QPen(Qt::black, 1.5 * s));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(3 * s, 3 * s, 26 * s, 26 * s));
        p.setPen(QPen(Qt::black, 1 * s));
        for (int i = 1; i < 4; ++i)
            p.drawLine(QPointF((3 + 6.5 * i) * s, 3 * s), QPointF((3 + 6.5 * i) * s, 29 * s));
        for (int i = 1; i < 5; ++i)
            p.drawLine(QPointF(3 * s, (3 + 5.2 * i) * s), QPointF(29 * s, (3 + 5.2 * i) * s));
        p.setPen(QPen(QColor(40, 80, 180), 2 * s));
        p.drawLine(QPointF(3 * s, 8.2 * s), QPointF(29 * s, 8.2 * s));
    });
}

QIcon Icons::crcHelpWindow()
{
    return icon([](QPainter &p, qreal s) {
        p.setPen(QPen(QColor(30, 50, 120), 1.5 * s));
        p.setBrush(QColor(230, 240, 255));
        QPainterPath left;
        left.moveTo(16 * s, 8 * s);
        left.cubicTo(12 * s, 5 * s, 6 * s, 5 * s, 3 * s, 7 * s);
        left.lineTo(3 * s, 27 * s);
        left.cubicTo(6 * s, 25 * s, 12 * s, 25 * s, 16 * s, 28 * s);
        left.closeSubpath();
        p.drawPath(left);
        p.drawPath(QTransform(-1, 0, 0, 1, 32 * s, 0).map(left));
        p.setPen(QPen(QColor(0, 0, 255), 1.2 * s));
        for (int i = 0; i < 3; ++i) {
            p.drawLine(QPointF(6 * s, (12 + 4 * i) * s), QPointF(13 * s, (12 + 4 * i) * s));
            p.drawLine(QPointF(19 * s, (12 + 4 * i) * s), QPointF(26 * s, (12 + 4 * i) * s));
        }
    });
}
