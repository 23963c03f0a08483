// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArrayView>

// CRC-16/MODBUS: preset FFFF, reflected polynomial A001, no final XOR; sent low byte first.
// The calculator folds 16-bit items and the simulated slave folds bytes, with the same step.
namespace Crc16 {

constexpr quint16 Preset = 0xFFFF;

// One item into the CRC: all of its 16 bits are XORed in, then eight shifts, so an item above
// FF is not the same as its low byte.
constexpr quint16 step(quint16 crc, quint16 value)
{
    crc ^= value;
    for (int bit = 0; bit < 8; ++bit)
        crc = (crc & 1u) ? quint16((crc >> 1) ^ 0xA001u) : quint16(crc >> 1);
    return crc;
}

constexpr quint16 modbus(QByteArrayView bytes)
{
    quint16 crc = Preset;
    for (char c : bytes)
        crc = step(crc, quint8(c));
    return crc;
}

} // namespace Crc16
