// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "serial/portnumber.h"

#include "core/hexdigit.h"
#include "core/runtimeerror.h"

#include <QFileInfo>
#include <QRegularExpression>

#include <cmath>
#include <limits>

namespace {

[[noreturn]] void typeMismatch(const QString &text)
{
    throw RunTimeError {
        ErrorNumber::TypeMismatch, QStringLiteral("Type mismatch: \"%1\"").arg(text)};
}

[[noreturn]] void overflow(const QString &text)
{
    throw RunTimeError {ErrorNumber::Overflow, QStringLiteral("Overflow: \"%1\"").arg(text)};
}

// A literal wider than 32 bits has no BASIC type at all.
qint64 radixLiteral(const QString &digits, int base, const QString &text)
{
    bool ok = false;
    const quint64 value = digits.toULongLong(&ok, base);
    if (!ok || value > 0xFFFFFFFFu)
        overflow(text);
    return radixLiteralValue(value);
}

} // namespace

qint16 PortNumber::fromText(const QString &text)
{
    static const QRegularExpression decimal(
        QStringLiteral(R"(^[+-]?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?$)"));
    static const QRegularExpression hex(QStringLiteral("^&[hH]([0-9A-Fa-f]+)$"));
    static const QRegularExpression octal(QStringLiteral("^&[oO]?([0-7]+)$"));

    const QString s = text.trimmed();
    double value = 0;
    if (const auto m = hex.match(s); m.hasMatch()) {
        value = double(radixLiteral(m.captured(1), 16, text));
    } else if (const auto m = octal.match(s); m.hasMatch()) {
        value = double(radixLiteral(m.captured(1), 8, text));
    } else if (decimal.match(s).hasMatch()) {
        // Too large for a double reads as infinity, refused as an overflow below.
        value = std::nearbyint(s.toDouble()); // the default rounding mode: halves to even
    } else {
        typeMismatch(text);
    }
    if (value < std::numeric_limits<qint16>::min() || value > std::numeric_limits<qint16>::max())
        overflow(text);
    return qint16(value);
}

QString PortNumber::devicePath(qint16 n, const QString &portsFolder)
{
    if (n < 1) {
        throw RunTimeError {
            ErrorNumber::InvalidPortNumber, QStringLiteral("Invalid port number %1").arg(n)};
    }
#ifdef Q_OS_WIN
    return QStringLiteral("COM%1").arg(n);
#else
    const QFileInfo entry(entryPath(n, portsFolder));
    if (entry.isSymLink()) {
        // A dangling link names a device that is not there; never fall back to a real ttyS.
        const QString device = entry.canonicalFilePath();
        return device.isEmpty() ? entry.absoluteFilePath() : device;
    }
    if (entry.exists())
        return entry.canonicalFilePath();
    return defaultDevice(n);
#endif
}

QString PortNumber::entryPath(qint16 n, const QString &portsFolder)
{
    return portsFolder.isEmpty() ? QString() : portsFolder + QStringLiteral("/com%1").arg(n);
}

QString PortNumber::defaultDevice(qint16 n)
{
    return QStringLiteral("/dev/ttyS%1").arg(n - 1);
}
