// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

// Adds a test class to its group's executable, whose main runs every class added (testgroup/).
int addTestClass(QObject *(*make)());
#define VEDIRA_TEST_CLASS(Class)                                                                   \
    [[maybe_unused]] static const int added##Class                                                 \
        = addTestClass([]() -> QObject * { return new Class; })
