// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QString>

// Windows ask for their fonts by the design names (細明體, 新細明體, Arial); install() maps those
// names once to installed look-alikes. Sizes are in points at 96 dots per inch, turned into pixels
// so the design's twips and the text agree whatever dpi the display reports.
class DesignFonts
{
public:
    static void install();
    static QFont font(const QString &family, qreal points, bool bold = false);

    static inline const QString Mingliu = QStringLiteral("細明體");
    static inline const QString PMingliu = QStringLiteral("新細明體");
    static inline const QString Arial = QStringLiteral("Arial");
};
