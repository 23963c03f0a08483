// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Bytes at arbitrary times into the Modbus slave, against a model. Byte 0 picks the speed; an op
// polls (bit 1) or feeds (op >> 2) % 16 bytes, CRC'd if bit 0; the next byte advances the clock.
#include "core/crc16.h"
#include "fuzzcheck.h"
#include "serial/sim/modbusslave.h"

static QByteArray withCrc(const QByteArray &f)
{
    const quint16 crc = Crc16::modbus(f);
    return f + char(crc & 0xFF) + char(crc >> 8);
}

// The reply a frame asks for; its write is carried out on the model's registers.
static QByteArray expectedReply(const QByteArray &f, int *regs)
{
    if (f.size() < 4 || withCrc(f.chopped(2)) != f || uchar(f[0]) > 1)
        return {};
    const int function = uchar(f[1]), at = f.size() == 8 ? uchar(f[2]) << 8 | uchar(f[3]) : 16;
    const int n = f.size() == 8 ? uchar(f[4]) << 8 | uchar(f[5]) : 0;
    const bool valid = f.size() == 8 && (function == 6 || (n >= 1 && n <= 125));
    const int code = function != 3 && function != 6 ? 1 : valid ? 2 : 3;
    QByteArray reply = QByteArray("\1") + char(function | 0x80) + char(code);
    if (function == 6 && at < 16) {
        regs[at] = n;
        reply = f.chopped(2);
    } else if (function == 3 && valid && at + n <= 16) {
        reply = QByteArray("\1\3") + char(2 * n);
        for (int r = at; r < at + n; ++r)
            reply += QByteArray(1, char(regs[r] >> 8)) + char(regs[r]);
    }
    return f[0] == 1 ? withCrc(reply) : QByteArray();
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    size_t i = 0;
    const auto next = [&] { return i < size ? data[i++] : 0; };
    // 3.5 characters of 11 bits, never below 1.75 ms; a speed of 0 or less times as 9600 baud.
    const qint32 speed = next() * 600 - 600;
    const qint64 gap = speed > 19200 ? 1750 : 38500000 / (speed > 0 ? speed : 9600);
    ModbusSlave slave(speed);
    check(slave.frameGapMicroseconds() == gap, "the frame gap is 3.5 characters");
    int regs[16] = {}; // a stray write shows when the register is read
    QByteArray pending;
    for (qint64 now = 0, last = 0; i < size; now += gap * next() / 100) {
        const uchar op = next();
        QByteArray bytes = fuzzBytes(data + i, op & 2 ? 0 : qMin<size_t>(op >> 2 & 15, size - i));
        i += size_t(bytes.size());
        bytes = (op & 3) == 1 ? withCrc(bytes) : bytes;
        const bool ends = (op & 2 || !bytes.isEmpty()) && now - last >= gap;
        const QByteArray ended = ends ? qExchange(pending, {}) : QByteArray();
        const QByteArray reply = op & 2 ? slave.poll(now) : slave.feed(bytes, now);
        check(reply == expectedReply(ended, regs), "a frame gets its reply", ended.toHex(' '));
        pending += bytes;
        last = bytes.isEmpty() ? last : now;
    }
    return 0;
}
