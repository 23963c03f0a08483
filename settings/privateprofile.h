// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// A reader and writer of INI files that gives the results of the Windows private-profile
// functions, so the file stays interchangeable with the Windows build: section and key names
// match without regard to ASCII letter case, blanks around keys and values are ignored, one pair
// of matching quotes around a value is dropped, the first of duplicate keys wins. Writing touches
// only the value of the first matching key line (or appends the key or the section) and leaves
// every other byte alone. Files are bytes in the Big5 code page.
class PrivateProfile
{
public:
    // The value of key in section, or nullopt-like: *found tells whether the key exists.
    static QByteArray readValue(
        const QByteArray &file, QByteArrayView section, QByteArrayView key, bool *found = nullptr);
    // The file's bytes with the key's value set to value.
    static QByteArray writeValue(
        const QByteArray &file, QByteArrayView section, QByteArrayView key, QByteArrayView value);

    // GetPrivateProfileString: the value, or the default when the file, section or key is
    // missing, cut to capacity - 1 bytes (a buffer of capacity with its terminating zero).
    static QString getString(const QString &section, const QString &key, const QString &def,
        int capacity, const QString &path);
    // WritePrivateProfileString: false when the file cannot be written. A complete new copy
    // replaces the old file in one rename, so an interrupted write never leaves half a file.
    static bool writeString(
        const QString &section, const QString &key, const QString &value, const QString &path);
};
