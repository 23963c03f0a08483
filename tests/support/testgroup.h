// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTest>

// What a file of a test group needs: QTest, and VEDIRA_TEST_CLASS to add its class to the classes
// the group's main (testgroup/main.cpp) runs.
int addTestClass(QObject *(*make)());
#define VEDIRA_TEST_CLASS(Class)                                                                   \
    [[maybe_unused]] static const int added##Class                                                 \
        = addTestClass([]() -> QObject * { return new Class; })
