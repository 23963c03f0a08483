// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Arbitrary file bytes: reading never fails, and a write changes only what it must.
#include "settings/privateprofile.h"

#include <QList>

#include <cstdlib>

namespace {

QList<QByteArray> lines(const QByteArray &file)
{
    QList<QByteArray> out = file.split('\n');
    for (QByteArray &l : out)
        if (l.endsWith('\r'))
            l.chop(1);
    return out;
}

void check(bool ok)
{
    if (!ok)
        std::abort();
}

// Every line of before is still in after, in order, except at most the one rewritten key line.
bool keepsOtherLines(const QByteArray &before, const QByteArray &after)
{
    const QList<QByteArray> a = lines(before);
    const QList<QByteArray> b = lines(after);
    qsizetype j = 0;
    int missing = 0;
    for (const QByteArray &line : a) {
        qsizetype k = j;
        while (k < b.size() && b[k] != line)
            ++k;
        if (k == b.size()) {
            if (++missing > 1)
                return false;
            continue;
        }
        j = k + 1;
    }
    // A write adds at most a line end, a section line and a key line.
    return b.size() <= a.size() + 3;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray file(reinterpret_cast<const char *>(data), qsizetype(size));
    for (QByteArrayView key : {QByteArrayView("comPort"), QByteArrayView("comSet")}) {
        PrivateProfile::readValue(file, "Setup", key);
        const QByteArray value = key == QByteArrayView("comPort") ? "10" : "115200,o,7,2";
        const QByteArray written = PrivateProfile::writeValue(file, "Setup", key, value);
        bool found = false;
        check(PrivateProfile::readValue(written, "Setup", key, &found) == value && found);
        check(keepsOtherLines(file, written));
        // Writing the same value again changes nothing.
        check(PrivateProfile::writeValue(written, "Setup", key, value) == written);
    }
    return 0;
}
