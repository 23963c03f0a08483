// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Arbitrary file bytes: reading never fails, and a write changes only what it must.
#include "fuzzcheck.h"
#include "settings/privateprofile.h"

#include <QList>

#include <algorithm>
#include <cctype>

namespace {

constexpr QByteArrayView Section = "Setup";

QString shown(const QByteArray &file)
{
    return QString::fromLatin1(file.left(200));
}

bool sameName(QByteArrayView a, QByteArrayView b)
{
    return QByteArray(a.data(), a.size()).toLower() == QByteArray(b.data(), b.size()).toLower();
}

QByteArray swappedCase(QByteArrayView name)
{
    QByteArray out = name.toByteArray();
    for (char &c : out)
        c = std::isupper(uchar(c)) ? char(std::tolower(uchar(c))) : char(std::toupper(uchar(c)));
    return out;
}

qsizetype commonPrefix(const QByteArray &a, const QByteArray &b)
{
    const qsizetype n = std::min(a.size(), b.size());
    qsizetype i = 0;
    while (i < n && a[i] == b[i])
        ++i;
    return i;
}

qsizetype commonSuffix(const QByteArray &a, const QByteArray &b, qsizetype limit)
{
    qsizetype i = 0;
    while (i < limit && a[a.size() - 1 - i] == b[b.size() - 1 - i])
        ++i;
    return i;
}

// An existing key: the bytes that differ, before and after, lie inside one line of the
// original, and that line is a line of the key.
void checkReplaced(const QByteArray &file, const QByteArray &written, QByteArrayView key)
{
    const qsizetype p = commonPrefix(file, written);
    const qsizetype s = commonSuffix(file, written, std::min(file.size(), written.size()) - p);
    const QByteArray removed = file.mid(p, file.size() - s - p);
    const QByteArray added = written.mid(p, written.size() - s - p);
    check(!removed.contains('\n') && !added.contains('\n'), "a rewrite stays on one line",
        shown(file));
    if (removed.isEmpty() && added.isEmpty())
        return;
    const qsizetype begin = p == 0 ? 0 : file.lastIndexOf('\n', p - 1) + 1;
    qsizetype end = file.indexOf('\n', p);
    if (end < 0)
        end = file.size();
    const QByteArray line = file.mid(begin, end - begin);
    const qsizetype eq = line.indexOf('=');
    check(eq >= 0 && sameName(line.left(eq).trimmed(), key) && p > begin + eq,
        "only the value of the key's line changes", shown(file));
}

// A missing key: the original is all there, with one insertion at a line start of the key
// line, preceded by the section line and a line end where they are missing.
void checkInserted(
    const QByteArray &file, const QByteArray &written, QByteArrayView key, QByteArrayView value)
{
    const qsizetype d = written.size() - file.size();
    check(d > 0, "a new key makes the file longer", shown(file));
    const qsizetype p = commonPrefix(file, written);
    // Not bounded by the prefix: the insertion may start inside bytes both sides share.
    const qsizetype s = commonSuffix(file, written, file.size());
    check(p + s >= file.size(), "a new key only inserts", shown(file));

    const QByteArray keyLine = key.toByteArray() + '=' + value.toByteArray() + "\r\n";
    const QByteArray sectionLine = "[" + Section.toByteArray() + "]\r\n";
    bool matched = false;
    for (const QByteArray &ins :
        {keyLine, "\r\n" + keyLine, sectionLine + keyLine, "\r\n" + sectionLine + keyLine}) {
        if (ins.size() != d)
            continue;
        for (qsizetype q = file.size() - s; q <= p && !matched; ++q) {
            const bool lineStart
                = q == 0 || file[q - 1] == '\n' || (ins.startsWith("\r\n") && q == file.size());
            matched = lineStart && written.mid(q, d) == ins;
        }
    }
    check(matched, "the insertion is the key line, at a line start", shown(file));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray file(reinterpret_cast<const char *>(data), qsizetype(size));
    const QByteArrayView keys[] = {"comPort", "comSet"};
    // Values the program writes, and a Big5 character whose trail byte is ']'.
    const QByteArrayView values[] = {"10", "115200,o,7,2", "", "a=b;[c]", "\xA5\x5D"};
    for (size_t k = 0; k < 2; ++k) {
        const QByteArrayView key = keys[k];
        const QByteArrayView other = keys[1 - k];
        bool found = false;
        const QByteArray before = PrivateProfile::readValue(file, Section, key, &found);
        bool otherFound = false;
        const QByteArray otherBefore = PrivateProfile::readValue(file, Section, other, &otherFound);
        check(found || before.isEmpty(), "a missing key reads empty", shown(file));
        bool foundOtherCase = false;
        check(PrivateProfile::readValue(file, "sETUP", swappedCase(key), &foundOtherCase) == before
                && foundOtherCase == found,
            "names match without regard to letter case", shown(file));
        for (QByteArrayView value : values) {
            const QByteArray written = PrivateProfile::writeValue(file, Section, key, value);
            bool foundAfter = false;
            check(PrivateProfile::readValue(written, Section, key, &foundAfter) == value
                    && foundAfter,
                "the written value reads back", shown(file));
            bool otherAfter = false;
            check(PrivateProfile::readValue(written, Section, other, &otherAfter) == otherBefore
                    && otherAfter == otherFound,
                "the other key keeps its value", shown(file));
            if (found)
                checkReplaced(file, written, key);
            else
                checkInserted(file, written, key, value);
            check(PrivateProfile::writeValue(written, Section, key, value) == written,
                "writing the same value again changes nothing", shown(file));
        }
    }
    return 0;
}
