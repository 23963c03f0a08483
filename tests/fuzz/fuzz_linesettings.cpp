// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Arbitrary text as a settings string.
#include "fuzzcheck.h"
#include "serial/linesettings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(fuzzBytes(data, size));
    // Four fields, blanks around: speed 1 to 2^31-1, parity n e o m s, 5 to 8 data bits, stop
    // bits 1, 1.5 or 2; what is read is what was written.
    QStringList f = text.split(u',');
    for (QString &field : f)
        field = field.trimmed().toLower();
    static const QRegularExpression rule(
        QStringLiteral(R"(^0*([1-9][0-9]{0,9})(,[neoms],[5-8],(1|1\.5|2))\z)"));
    const auto m = rule.match(f.join(u','));
    const auto s
        = attempt([&] { return LineSettings::parse(text); }, ErrorNumber::InvalidPropertyValue);
    check(s ? QString::number(s->speed) + u',' + u"neoms"[int(s->parity)] + u','
                    + QString::number(s->dataBits) + u','
                    + QString::number(1 + 0.5 * int(s->stopBits))
                == m.captured(1) + m.captured(2)
            : !m.hasMatch() || m.captured(1).toLongLong() >= 1LL << 31,
        "a settings string is read by the rule", text);
    return 0;
}
