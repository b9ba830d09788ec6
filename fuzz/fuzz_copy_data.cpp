// SPDX-License-Identifier: GPL-3.0-or-later
// The copy-data warning box: whatever number and bytes another program sends, nothing beyond the declared
// size is read, and a text is shown only for number 9487 when the bytes are valid UTF-8 without a NUL.

#include "copy_data_box.h"
#include "fuzz_support.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstring>
#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzedDataProvider input(data, size);
    const uintptr_t number = input.ConsumeBool() ? kWarningCopyDataId : input.ConsumeIntegral<uintptr_t>();
    const bool nullBytes = input.ConsumeIntegralInRange<int>(0, 15) == 0;
    const std::vector<uint8_t> bytes = input.ConsumeRemainingBytes<uint8_t>();

    // The sender's bytes in a block of exactly their size: a read beyond it is caught.
    std::unique_ptr<uint8_t[]> block(new uint8_t[bytes.size()]);
    if (!bytes.empty())
        std::memcpy(block.get(), bytes.data(), bytes.size());
    CopyData message;
    message.dwData = number;
    message.cbData = uint32_t(bytes.size());
    message.lpData = block.get();
    if (nullBytes) {
        // A sender that claims bytes but sends none.
        message.lpData = nullptr;
        FUZZ_ASSERT(!copyDataWarningText(message) || message.cbData == 0);
        return 0;
    }

    const std::optional<QString> text = copyDataWarningText(message);
    if (!text)
        return 0;
    FUZZ_ASSERT(number == kWarningCopyDataId);
    FUZZ_ASSERT(!text->contains(QChar::Null));
    const QByteArray utf8 = text->toUtf8();
    FUZZ_ASSERT(utf8.size() == qsizetype(message.cbData));
    FUZZ_ASSERT(message.cbData == 0 || std::memcmp(utf8.constData(), block.get(), message.cbData) == 0);
    return 0;
}
