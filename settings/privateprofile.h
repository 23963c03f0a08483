// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

#include <optional>
#include <utility>

// A reader and writer of INI files that gives the results of the Windows private-profile
// functions, so the file stays interchangeable with the Windows build: section and key names
// match without regard to ASCII letter case, blanks around names and values are ignored, lines
// end in CR LF, LF or CR, one pair of matching quotes around a value is dropped, the first of
// duplicate keys wins. Writing touches
// only the value of the first matching key line (or appends the key or the section) and leaves
// every other byte alone. Files are bytes in the Big5 code page.
class PrivateProfile
{
public:
    // The value of key in section; nullopt when the key is not there.
    static std::optional<QByteArray> readValue(
        const QByteArray &file, QByteArrayView section, QByteArrayView key);
    // The file's bytes with the key's value set to value.
    static QByteArray writeValue(
        const QByteArray &file, QByteArrayView section, QByteArrayView key, QByteArrayView value);

    // The largest file read or rewritten. The two keys take a few hundred bytes, so 64 KiB leaves
    // ample room for comments and other sections, yet a runaway file can no longer take the start
    // with it (read whole, a file of short lines costs some 33 bytes of memory a byte). A larger
    // file counts as unreadable: the defaults are read, and a save fails without touching it.
    static constexpr qint64 MaxFileSize = 64 * 1024;

    // GetPrivateProfileString: the value, or the default when the file, section or key is
    // missing, cut to capacity - 1 bytes (a buffer of capacity with its terminating zero).
    static QString getString(const QString &section, const QString &key, const QString &def,
        int capacity, const QString &path);
    // WritePrivateProfileString for several keys of one section, giving the bytes the single
    // writes in this order would give: false when the file cannot be written. A complete new
    // copy, synced to disk, replaces the old file in one rename, so a failed or interrupted write
    // leaves the old file as it was. Only where no new file can be made beside it is a writable
    // file rewritten in place.
    static bool writeStrings(const QString &section,
        const QList<std::pair<QString, QString>> &entries, const QString &path);
};
