// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Arbitrary file bytes: a written value reads back, and the write changes only what it must.
#include "fuzzcheck.h"
#include "settings/privateprofile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray file = fuzzBytes(data, size);
    const std::optional<QByteArray> other = PrivateProfile::readValue(file, "Setup", "comSet");
    // Values the program writes, and a Big5 character whose trail byte is ']'.
    for (const char *value : {"10", "115200,o,7,2", "", "a=b;[c]", "\xA5\x5D"}) {
        const QByteArray out = PrivateProfile::writeValue(file, "Setup", "comPort", value);
        // Names match in any letter case.
        check(PrivateProfile::readValue(out, "sETUP", "COMPORT") == QByteArray(value)
                && PrivateProfile::readValue(out, "Setup", "comSet") == other,
            "the value reads back, and the other key keeps its own");
        // Everything after the line where the file first changes is kept.
        qsizetype p = 0;
        while (p < file.size() && p < out.size() && file[p] == out[p])
            ++p;
        const qsizetype end = file.indexOf('\n', p);
        check(out.endsWith(file.mid(end < 0 ? file.size() : end)), "a write changes one line");
    }
    return 0;
}
