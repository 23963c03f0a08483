// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/formbuilder.h"

#include "ui/twips.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

namespace FormBuilder {

namespace {
constexpr int OptionHeight = 300;
}

QLabel *label(QWidget *parent, const QString &name, const QString &text, const QRect &rect)
{
    return place(new QLabel(text, parent), name, rect);
}

QGroupBox *frame(QWidget *parent, const QString &name, const QString &title, const QRect &rect)
{
    return place(new QGroupBox(title, parent), name, rect);
}

QPushButton *button(QWidget *parent, const QString &name, const QString &text, const QRect &rect)
{
    return place(new QPushButton(text, parent), name, rect);
}

QToolButton *pictureButton(
    QWidget *parent, const QString &name, const QString &text, const QIcon &icon, const QRect &rect)
{
    auto *b = place(new QToolButton(parent), name, rect);
    b->setText(text);
    b->setIcon(icon);
    b->setIconSize(QSize(24, 24));
    b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    // The style draws no focus on tool buttons; Tab must show where it is.
    b->setStyleSheet(QStringLiteral(
        "QToolButton:focus { border: 2px solid palette(highlight); border-radius: 3px; }"));
    return b;
}

void labelFor(QLabel *label, QWidget *box)
{
    label->setBuddy(box);
    box->setAccessibleName(label->text());
}

QList<QPoint> rows(const QList<int> &lefts, const QList<int> &tops)
{
    QList<QPoint> out;
    for (int top : tops)
        for (int left : lefts)
            out.append(QPoint(left, top));
    return out;
}

QList<QPoint> columns(const QList<int> &lefts, const QList<int> &tops)
{
    QList<QPoint> out;
    for (int left : lefts)
        for (int top : tops)
            out.append(QPoint(left, top));
    return out;
}

QButtonGroup *optionGroup(QGroupBox *frame, const QString &name, const QStringList &captions,
    const QList<QPoint> &places, int width)
{
    auto *group = new QButtonGroup(frame);
    group->setObjectName(name);
    for (int i = 0; i < captions.size(); ++i) {
        const QPoint p = places.at(i);
        auto *button = new QRadioButton(captions[i], frame);
        place(button, QStringLiteral("%1_%2").arg(name).arg(i),
            twips(p.x(), p.y(), width, OptionHeight));
        group->addButton(button, i);
    }
    return group;
}

} // namespace FormBuilder
