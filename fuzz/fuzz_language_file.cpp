// SPDX-License-Identifier: GPL-3.0-or-later
// Language files: any file content gives at most 4096 strings for a group, never more strings than the
// group's count promises, and the eight DPI-switch texts stay eight, taken from the group "other" where it
// has them.

#include "dpi_switch_texts.h"
#include "fuzz_support.h"
#include "my_quick_view.h"

#include <QFile>

#include <fuzzer/FuzzedDataProvider.h>

namespace {
myQQuickView *view = nullptr;
}

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    fuzz::startApplication(true);
    fuzz::workFolder(true);
    view = new myQQuickView;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzedDataProvider input(data, size);
    static const char *const groups[] = {"other", "key", "main", "macro", ""};
    const std::string group = input.ConsumeBool() ? input.ConsumeRandomLengthString(12)
                                                  : groups[input.ConsumeIntegralInRange<size_t>(0, 4)];
    const std::string content = input.ConsumeRemainingBytesAsString();
    const QString code = QStringLiteral("Fuzzed");
    fuzz::writeFresh(QStringLiteral("modules/i18n/Fuzzed.ini"), reinterpret_cast<const uint8_t *>(content.data()),
                     content.size());
    dpiSwitchTexts = QStringList(kDpiSwitchTextCount, QStringLiteral("DPI Switch to"));
    const QString typeStr = QString::fromUtf8(group.data(), qsizetype(group.size()));
    const QStringList strings = view->getLangStrings(typeStr, code);

    FUZZ_ASSERT(strings.size() <= 4096);
    FUZZ_ASSERT(dpiSwitchTexts.size() == kDpiSwitchTextCount);
    for (int i = 0; i < kDpiSwitchTextCount; ++i) {
        if (typeStr == QLatin1String("other") && i < strings.size())
            FUZZ_ASSERT(dpiSwitchTexts.at(i) == strings.at(i));
        else
            FUZZ_ASSERT(dpiSwitchTexts.at(i) == QLatin1String("DPI Switch to"));
    }
    // A code that is no plain file name reads nothing.
    FUZZ_ASSERT(view->getLangStrings(typeStr, QStringLiteral("../") + code).isEmpty());
    return 0;
}
