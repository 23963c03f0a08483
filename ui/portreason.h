// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

struct PortFailure;

// The words for why a port would not open or went away: the device, the reason and, where the
// person can do something about it, what to do. Empty when nothing is known beyond the box's text.
namespace PortReason {
QString text(const PortFailure &failure);
}
