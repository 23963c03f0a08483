// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFile>

#include <sys/resource.h>
#include <unistd.h>

#ifdef __SANITIZE_ADDRESS__
// Allocations under a limit fail rather than stop the sanitizer; only limiting tests include this.
extern "C" const char *__asan_default_options()
{
    return "allocator_may_return_null=1";
}
#endif

// While it lives, allocations past what is mapped now and megabytes more fail as out of memory.
class AddressSpaceLimit
{
public:
    explicit AddressSpaceLimit(rlim_t megabytes)
    {
        QFile statm(QStringLiteral("/proc/self/statm")); // the address space in use, in pages
        if (!statm.open(QIODevice::ReadOnly) || ::getrlimit(RLIMIT_AS, &m_old) != 0)
            qFatal("the address space in use is unknown");
        const rlim_t inUse = statm.readAll().split(' ')[0].toLong() * ::sysconf(_SC_PAGESIZE);
        const rlimit tight {inUse + megabytes * 1024 * 1024, m_old.rlim_max};
        if (::setrlimit(RLIMIT_AS, &tight) != 0)
            qFatal("the address space cannot be limited");
    }
    ~AddressSpaceLimit() { ::setrlimit(RLIMIT_AS, &m_old); }
    AddressSpaceLimit(const AddressSpaceLimit &) = delete;
    AddressSpaceLimit &operator=(const AddressSpaceLimit &) = delete;

private:
    rlimit m_old {};
};
