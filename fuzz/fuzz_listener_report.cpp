// SPDX-License-Identifier: GPL-3.0-or-later
// The listener's input report: only a 4-byte report 06 07 xx v is a DPI switch, its stage is v, and the
// notification text for any stage is one of the eight texts (or the default) however many the language
// supplied.

#include "dpi_switch_texts.h"
#include "fuzz_support.h"
#include "listener_report.h"

#include <fuzzer/FuzzedDataProvider.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzedDataProvider input(data, size);
    const int declared = input.ConsumeIntegralInRange<int>(-1, 64);
    const std::vector<uint8_t> report = input.ConsumeBytes<uint8_t>(size_t(std::max(declared, 0)));
    const int length = declared < 0 ? declared : int(report.size());

    const std::optional<int> stage = dpiSwitchStage(report.empty() ? nullptr : report.data(), length);
    const bool isSwitch = length == kDpiReportLength && report[0] == kDpiReportId && report[1] == kDpiReportKind;
    FUZZ_ASSERT(stage.has_value() == isSwitch);
    if (stage)
        FUZZ_ASSERT(*stage == report[3]);

    QStringList texts;
    const int count = input.ConsumeIntegralInRange<int>(0, 12);
    for (int i = 0; i < count; ++i)
        texts << QStringLiteral("text %1").arg(i);
    for (int v : {stage.value_or(0), input.ConsumeIntegral<int>()}) {
        const QString message = dpiSwitchMessage(texts, v);
        FUZZ_ASSERT(message.endsWith(QLatin1Char(' ')));
        const QString text = message.chopped(1);
        FUZZ_ASSERT(text == QLatin1String("DPI Switch to") || texts.contains(text));
    }
    return 0;
}
