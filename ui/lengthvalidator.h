// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QValidator>

// Refuses any edit, a paste or a drop included, that would make a line longer than its limit:
// the line keeps the text it had, and refused() follows once the edit is over, so a box can say
// why without opening inside the line's own paste.
class LengthValidator : public QValidator
{
    Q_OBJECT
public:
    LengthValidator(qsizetype limit, QObject *parent);

    qsizetype limit() const { return m_limit; }
    State validate(QString &input, int &pos) const override;

Q_SIGNALS:
    void refused();

private:
    qsizetype m_limit;
};
