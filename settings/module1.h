// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <array>

// The program's shared state and its settings file. Every window reads and writes these
// directly, on the user-interface thread only. Booleans are 16-bit: -1 true, 0 false, and
// readers test for exactly -1.
namespace Module1 {

constexpr qint16 VbTrue = -1;
constexpr qint16 VbFalse = 0;

inline QString IniFile;
inline QString ComPortNo;
inline QString ComSetting;
inline qint16 PortIsOpen = VbFalse;
inline QString ReceiveClearOpt;
inline std::array<QString, 4> SendOptValues; // indexes 1 to 3 are used

// SendOpt(1): the ASCII line's line end, SendOpt(2): the hex line's send mode,
// SendOpt(3): the continuous-send interval in milliseconds.
inline QString &SendOpt(int index)
{
    return SendOptValues.at(size_t(index));
}

// Reads "comPort" and "comSet" of section "Setup"; a missing file or key, or "0", gives the
// defaults. Creates no file.
void LoadSettings();
// Writes both keys; false when the file does not hold them now. The program stays silent either
// way: the values still hold in memory.
bool SaveSettings();

} // namespace Module1
