// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include <cstdio>
#include <cstdlib>

// A failed property aborts, so libFuzzer keeps the input as a finding; the message says which
// property and on what text, since a reproducer alone is often unreadable bytes.
inline void check(bool ok, const char *property, const QString &subject = {})
{
    if (ok)
        return;
    // The text, then its UTF-16 units, so lone surrogates and look-alike characters show as
    // what they are.
    std::fprintf(stderr, "property failed: %s\n  on: \"%s\"\n  units:", property,
        subject.left(300).toUtf8().constData());
    for (QChar c : subject.left(300))
        std::fprintf(stderr, " %04x", unsigned(c.unicode()));
    std::fprintf(stderr, "\n");
    std::abort();
}

inline QString fuzzText(const uint8_t *data, size_t size)
{
    return QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
}
