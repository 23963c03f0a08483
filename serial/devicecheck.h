// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/portfailure.h"

#include <QString>

// What QSerialPort does not check before a device is used as a port. Each check throws
// RunTimeError with the system's reason as its description and the facts for the person: 8005 when
// another program holds the device (a live process's UUCP lock file, in any of the usual forms,
// anything but a regular file under a lock file's name, or an flock() on it) or a session has it as
// its terminal, 8002 when the device
// is no usable serial line (not a character device, a terminal of this machine's own consoles or
// this program's controlling terminal, a UART node with no chip behind it).
class DeviceCheck
{
public:
    // Before opening: the node itself, then the lock files for it in lockFolder, never waiting on
    // one. A lock of a dead process, a zombie or this process's own id is removed; one that cannot
    // be removed still counts as held.
    static void beforeOpen(const QString &path, const QString &lockFolder);
    // After opening, on the open descriptor: takes an flock() on it and asks the driver whether
    // there is a UART at all. The caller closes the device when this throws.
    static void afterOpen(int fd, const QString &path);
    // A device another program holds, naming the process with a lock on it where the kernel's
    // list of locks shows one.
    static PortFailure heldBy(const QString &path);
};
