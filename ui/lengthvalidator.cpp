// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/lengthvalidator.h"

#include <QLineEdit>

LengthValidator::LengthValidator(qsizetype limit, QObject *parent)
    : QValidator(parent)
    , m_limit(limit)
{ }

LengthValidator *LengthValidator::install(QLineEdit *edit, qsizetype limit)
{
    auto *validator = new LengthValidator(limit, edit);
    edit->setMaxLength(int(limit + 1));
    edit->setValidator(validator);
    return validator;
}

QValidator::State LengthValidator::validate(QString &input, int &) const
{
    if (input.size() <= m_limit)
        return Acceptable;
    // Queued: validate() runs inside the edit, and the edit must be undone before anyone asks.
    QMetaObject::invokeMethod(
        const_cast<LengthValidator *>(this), &LengthValidator::refused, Qt::QueuedConnection);
    return Invalid;
}
