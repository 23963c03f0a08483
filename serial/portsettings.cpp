// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "serial/portsettings.h"

#include "core/runtimeerror.h"
#include "serial/portnumber.h"

PortSettings PortSettings::parse(const QString &portNumber, const QString &settings)
{
    PortSettings result;
    result.port = PortNumber::fromText(portNumber);
    if (result.port < 1) {
        throw RunTimeError {ErrorNumber::InvalidPortNumber,
            QStringLiteral("Invalid port number %1").arg(result.port)};
    }
    result.line = LineSettings::parse(settings);
    result.text = settings;
    return result;
}
