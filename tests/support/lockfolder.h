// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFile>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

// A folder no file can be made in, its files writable: immutable for root, read-only for others.
inline bool lockFolder(const QString &path, bool locked)
{
    if (geteuid() != 0)
        return ::chmod(QFile::encodeName(path).constData(), locked ? 0500 : 0700) == 0;
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_DIRECTORY);
    int flags = locked ? FS_IMMUTABLE_FL : 0;
    const bool ok = fd >= 0 && ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    ::close(fd);
    return ok;
}
