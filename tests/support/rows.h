// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTest>

// One row per input, named after it: the input is the first column, the same values fill the rest.
template<class... Rest> void addRows(std::initializer_list<QString> inputs, const Rest &...rest)
{
    for (QString input : inputs) {
        QString name = input.isEmpty() ? QStringLiteral("(empty)") : input;
        name.replace(u'\t', QStringLiteral("\\t"))
            .replace(u'\r', QStringLiteral("\\r"))
            .replace(u'\n', QStringLiteral("\\n"));
        ((QTest::addRow("%s", qPrintable(name)) << input) << ... << rest);
    }
}
