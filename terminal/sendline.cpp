// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "terminal/sendline.h"

#include "tools/checksum.h"
#include "ui/designfonts.h"
#include "ui/lengthvalidator.h"
#include "ui/uitexts.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>

#include <memory>

SendLine::SendLine(qsizetype limit, QWidget *parent)
    : QComboBox(parent)
{
    setEditable(true);
    // Only a send adds to the history, never the combo box itself on Enter.
    setInsertPolicy(QComboBox::NoInsert);
    setCompleter(nullptr);
    // Typed bytes must read clearly: commas and digits in a Latin face, Chinese falls back.
    setFont(DesignFonts::font(DesignFonts::Arial, 9.75));
    // A pasted line is sent whole up to a length the window still lays out at once; a longer edit
    // is refused rather than cut. The numeric lines reject overlong text when encoding.
    connect(LengthValidator::install(lineEdit(), limit), &LengthValidator::refused, this,
        &SendLine::refused);
    // Only the user's edits count as a change; picking from the list sets the text silently.
    connect(lineEdit(), &QLineEdit::textEdited, this, [this] { m_changed = true; });
}

void SendLine::recordHistory()
{
    if (!m_changed)
        return;
    m_changed = false;
    const QString text = currentText();
    addItem(text);
    // Adding the first entry selects it; the line keeps what the user typed.
    setEditText(text);
}

void SendLine::addModbusCrcAction()
{
    m_appendCrc = new QAction(UiTexts::AppendModbusCrc, this);
    m_appendCrc->setObjectName("appendModbusCrc");
    m_appendCrc->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_M));
    m_appendCrc->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    addAction(m_appendCrc);
    connect(m_appendCrc, &QAction::triggered, this, &SendLine::appendModbusCrc);
    lineEdit()->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(lineEdit(), &QWidget::customContextMenuRequested, this, &SendLine::showContextMenu);
}

void SendLine::appendModbusCrc()
{
    const QString text = currentText();
    const std::optional<QString> withCrc = Checksum::withModbusCrc(text);
    if (!withCrc) {
        Q_EMIT crcRefused();
        return;
    }
    // Typed into the line, so it can be undone and counts as an edit for the history.
    lineEdit()->end(false);
    lineEdit()->insert(withCrc->mid(text.size()));
}

void SendLine::showContextMenu(const QPoint &pos)
{
    const std::unique_ptr<QMenu> menu(lineEdit()->createStandardContextMenu());
    menu->addSeparator();
    menu->addAction(m_appendCrc);
    menu->exec(lineEdit()->mapToGlobal(pos));
}
