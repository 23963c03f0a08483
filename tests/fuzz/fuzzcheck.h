// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/runtimeerror.h"

#include <QRegularExpression>
#include <QStringList>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <optional>

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

// f's result, or nullopt when it throws a RunTimeError with the expected number.
template<typename F> auto attempt(F f, int number) -> std::optional<decltype(f())>
{
    try {
        return f();
    } catch (const RunTimeError &error) {
        check(error.number == number, "refused with the wrong error number");
        return std::nullopt;
    }
}
