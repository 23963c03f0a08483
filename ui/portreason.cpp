// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/portreason.h"

#include "core/portfailure.h"
#include "ui/uitexts.h"

using namespace UiTexts;

QString PortReason::text(const PortFailure &failure)
{
    const QString &device = failure.device;
    switch (failure.kind) {
    case PortFailure::Kind::None:
        break;
    case PortFailure::Kind::Permission:
        return ReasonPermission.arg(device)
            + (failure.group.isEmpty() || failure.user.isEmpty()
                    ? RemedyAskAdmin
                    : RemedyJoinGroup.arg(failure.user, failure.group));
    case PortFailure::Kind::Held:
        if (failure.holder <= 0)
            return ReasonHeld.arg(device);
        if (failure.program.isEmpty())
            return ReasonHeldByPid.arg(device, QString::number(failure.holder));
        return ReasonHeldBy.arg(device, failure.program, QString::number(failure.holder));
    case PortFailure::Kind::Missing:
        return ReasonMissing.arg(device);
    case PortFailure::Kind::NotSerial:
        return ReasonNotSerial.arg(device);
    case PortFailure::Kind::Lost:
        return ReasonLost.arg(device)
            + (failure.dropped > 0 ? ReasonDropped.arg(QString::number(failure.dropped))
                                   : QString());
    case PortFailure::Kind::Other:
        return ReasonOther.arg(device, failure.system);
    }
    return {};
}
