// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "serial/linesettings.h"

#include "core/runtimeerror.h"

#include <QStringList>

namespace {

[[noreturn]] void refuse(const QString &text)
{
    throw RunTimeError {
        ErrorNumber::InvalidPropertyValue, QStringLiteral("Invalid settings string: %1").arg(text)};
}

// Signs and blanks pass toInt; an empty field fails it.
bool allDigits(const QString &s)
{
    for (QChar c : s) {
        if (c < u'0' || c > u'9')
            return false;
    }
    return true;
}

} // namespace

LineSettings LineSettings::parse(const QString &text)
{
    const QStringList fields = text.split(u',');
    if (fields.size() != 4)
        refuse(text);

    LineSettings result;

    const QString speed = fields.at(0).trimmed();
    bool ok = false;
    const qint32 value = speed.toInt(&ok);
    if (!allDigits(speed) || !ok || value <= 0)
        refuse(text);
    result.speed = value;

    const QString parity = fields.at(1).trimmed().toLower();
    if (parity == u"e")
        result.parity = Parity::Even;
    else if (parity == u"o")
        result.parity = Parity::Odd;
    else if (parity == u"m")
        result.parity = Parity::Mark;
    else if (parity == u"s")
        result.parity = Parity::Space;
    else if (parity != u"n") // none, as a result starts
        refuse(text);

    const QString bits = fields.at(2).trimmed();
    if (bits.size() != 1 || bits.at(0) < u'5' || bits.at(0) > u'8')
        refuse(text);
    result.dataBits = bits.at(0).unicode() - u'0';

    const QString stop = fields.at(3).trimmed();
    if (stop == u"1.5")
        result.stopBits = StopBits::OneAndHalf;
    else if (stop == u"2")
        result.stopBits = StopBits::Two;
    else if (stop != u"1") // one, as a result starts
        refuse(text);

    return result;
}
