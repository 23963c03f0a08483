// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "settings/module1.h"

// Module1 back to the state at program start (everything empty or false), so test order never
// matters.
inline void resetSharedState()
{
    using namespace Module1;
    IniFile.clear();
    ComPortNo.clear();
    ComSetting.clear();
    PortIsOpen = VbFalse;
    ReceiveClearOpt.clear();
    for (QString &s : SendOptValues)
        s.clear();
}
