// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/designfonts.h"

#include <QApplication>
#include <QStringList>

#include <cmath>

void DesignFonts::install()
{
    const QStringList ming {QStringLiteral("AR PL UMing TW"), QStringLiteral("AR PL UMing TW MBE"),
        QStringLiteral("AR PL UMing HK"), QStringLiteral("Noto Serif CJK TC")};
    QFont::insertSubstitutions(Mingliu, ming);
    QFont::insertSubstitutions(PMingliu, ming);
    QFont::insertSubstitutions(Arial,
        {QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"),
            QStringLiteral("DejaVu Sans")});
    QApplication::setFont(font(PMingliu, 9));
}

QFont DesignFonts::font(const QString &family, qreal points, bool bold)
{
    QFont f(family);
    f.setPixelSize(int(std::lround(points * 96.0 / 72.0)));
    f.setBold(bold);
    return f;
}
