// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/portfailure.h"

#include <QString>

// A failing step of a handler throws one of these; the handler's one error trap catches it and
// picks its message by number. A port that cannot be used also says why, for the person.
struct RunTimeError
{
    int number = 0;
    QString description;
    PortFailure failure {};
};

namespace ErrorNumber {
constexpr int Overflow = 6;
constexpr int TypeMismatch = 13;
constexpr int DeviceIo = 57;
constexpr int InvalidPropertyValue = 380;
constexpr int InvalidWhileOpen = 8000; // changing the port number of an open port
constexpr int InvalidPortNumber = 8002; // the port number is not a usable port
constexpr int PortAlreadyOpen = 8005; // the port is held by another program
constexpr int OutputFull = 8011; // a send behind too many bytes still waiting for the device
constexpr int PortNotOpen = 8018; // an operation that needs an open port
constexpr int DataError = 9001; // a send line or calculator input that cannot be converted
} // namespace ErrorNumber
