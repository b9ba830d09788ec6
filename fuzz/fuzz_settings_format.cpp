// SPDX-License-Identifier: GPL-3.0-or-later
// The store's settings format against the settings library's own INI format: for any file content both
// read the same keys and values and write back the same text, and what the store writes reads the same in
// both and survives being written again (values become texts on the way: a file holds text).

#include "fuzz_support.h"
#include "ini_oracle.h"
#include "ini_text.h"

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    fuzz::startApplication();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray text(reinterpret_cast<const char *>(data), qsizetype(size));
    const ini::Values ours = ini::parse(text);
    const QString difference = oracle::difference(oracle::parse(text), ours);
    if (!difference.isEmpty()) {
        std::fprintf(stderr, "%s\n", difference.toUtf8().toPercentEncoding(" ,:=()\"/\n").constData());
        FUZZ_ASSERT(difference.isEmpty());
    }
    const QByteArray written = ini::write(ours);
    const QByteArray rewritten = oracle::rewrite(text);
    FUZZ_ASSERT(rewritten.isNull() || written == rewritten);
    const ini::Values reread = ini::parse(written);
    FUZZ_ASSERT(oracle::difference(oracle::parse(written), reread).isEmpty());
    // Keys no settings object can address (one ending in '/', say) may not survive, nor leave the others
    // alone; a file of addressable keys does.
    const ini::Values addressable = oracle::addressableOnly(reread);
    FUZZ_ASSERT(oracle::difference(addressable, ini::parse(ini::write(addressable))).isEmpty());
    return 0;
}
