// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "settings/module1.h"

// Module1 back to the state at program start, everything empty or false.
inline void resetSharedState()
{
    Module1::IniFile = Module1::ComPortNo = Module1::ComSetting = Module1::ReceiveClearOpt = {};
    Module1::PortIsOpen = Module1::VbFalse;
    Module1::SendOptValues = {};
}
