// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Reads (op below C0: the next op % 64 + 1 bytes), line breaks (C0 to FE) and clears (FF and the
// end of the input): each area must show every byte and break in order.
#include "core/receivelog.h"
#include "fuzzcheck.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    ReceiveLog log;
    QString areas[3]; // the items themselves are checked over all 256 bytes elsewhere
    for (size_t i = 0; i <= size;) {
        const uchar op = i < size ? data[i++] : (++i, 0xFF);
        if (op < 0xC0) {
            const QByteArray chunk = fuzzBytes(data + i, qMin(op % 64 + 1ul, size - i));
            i += size_t(chunk.size());
            log.append(chunk);
            for (int k = 0; k < 3 * chunk.size(); ++k)
                areas[k % 3]
                    += ReceiveFormatter::item(ReceiveFormatter::Kind(k % 3), chunk[k / 3]) + u' ';
        } else if (op < 0xFF) {
            log.addLineBreak();
            for (QString &area : areas)
                area += QStringLiteral("\r\n");
        } else {
            for (int k = 0; k < 3; ++k)
                check(log.text(ReceiveFormatter::Kind(k)) == qExchange(areas[k], {}),
                    "an area shows every byte and break in order");
            log.clear();
        }
    }
    return 0;
}
