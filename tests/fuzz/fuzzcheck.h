// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRegularExpression>
#include <QString>

#include <cmath>
#include <cstdio>
#include <cstdlib>

// A failed property aborts, so libFuzzer keeps the input as a finding.
inline void check(bool ok, const char *property, const QString &subject = {})
{
    if (ok)
        return;
    std::fprintf(stderr, "property failed: %s\n  on: \"%s\"\n", property, qPrintable(subject));
    std::abort();
}

inline QByteArray fuzzBytes(const uint8_t *data, size_t size)
{
    return QByteArray(reinterpret_cast<const char *>(data), qsizetype(size));
}
