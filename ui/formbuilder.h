// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>

class QButtonGroup;
class QGroupBox;
class QLabel;
class QIcon;
class QPushButton;
class QToolButton;
class QWidget;

// The controls every window builds the same way: each gets its design name as its objectName and
// its design place (a rectangle from twips()), so that it can be found by name and the layout is
// the design.
namespace FormBuilder {

template<class W> W *place(W *widget, const QString &name, const QRect &rect)
{
    widget->setObjectName(name);
    widget->setGeometry(rect);
    return widget;
}

QLabel *label(QWidget *parent, const QString &name, const QString &text, const QRect &rect);
QGroupBox *frame(QWidget *parent, const QString &name, const QString &title, const QRect &rect);
QPushButton *button(QWidget *parent, const QString &name, const QString &text, const QRect &rect);
// A button with its picture above its caption, showing where the focus is.
QToolButton *pictureButton(QWidget *parent, const QString &name, const QString &text,
    const QIcon &icon, const QRect &rect);

// The label names the box for screen readers and its mnemonic moves the focus there.
void labelFor(QLabel *label, QWidget *box);

// Places in twips for option buttons, read row by row or column by column.
QList<QPoint> rows(const QList<int> &lefts, const QList<int> &tops);
QList<QPoint> columns(const QList<int> &lefts, const QList<int> &tops);

// Option buttons name_0, name_1, … in the frame, one per caption at its place in twips, all
// width twips wide and one row high, in a group called name whose ids are their indexes.
QButtonGroup *optionGroup(QGroupBox *frame, const QString &name, const QStringList &captions,
    const QList<QPoint> &places, int width);

} // namespace FormBuilder
