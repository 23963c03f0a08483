// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The program's look, set once at start-up: the design fonts, and frames whose caption sits on
// the top border line (the design's positions inside a frame count from that line).
class DesignStyle
{
public:
    static void install();
};
