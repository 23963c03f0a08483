// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTest>

// One row per input, named after it: the input is the first column, the same values fill the rest.
template<class... Rest> void addRows(std::initializer_list<QString> inputs, const Rest &...rest)
{
    for (QString input : inputs) {
        QByteArray name = input.isEmpty() ? QByteArray("(empty)") : input.toUtf8();
        name.replace('\t', "\\t").replace('\r', "\\r").replace('\n', "\\n");
        ((QTest::addRow("%s", name.constData()) << input) << ... << rest);
    }
}
