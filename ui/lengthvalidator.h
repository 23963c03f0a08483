// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QValidator>

class QLineEdit;

// Refuses any edit, a paste or a drop included, that would make a line longer than its limit:
// the line keeps the text it had, and refused() follows once the edit is over, so a box can say
// why without opening inside the line's own paste. The line edit itself stops one character past
// the limit, so a paste of any size costs no more than that before it is refused (a line edit
// keeps an undo step per character).
class LengthValidator : public QValidator
{
    Q_OBJECT
public:
    // Limits edit to limit characters; the validator belongs to edit.
    static LengthValidator *install(QLineEdit *edit, qsizetype limit);

    State validate(QString &input, int &pos) const override;

Q_SIGNALS:
    void refused();

private:
    LengthValidator(qsizetype limit, QObject *parent);

    qsizetype m_limit;
};
