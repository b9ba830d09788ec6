// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the fuzz targets share: an invariant check that stops the run with a readable message (libFuzzer
// then keeps the input as a crash artifact), the application object some targets need, and a folder of
// their own for files.

#include <QString>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

#define FUZZ_ASSERT(condition)                                                                        \
    do {                                                                                              \
        if (!(condition)) {                                                                           \
            std::fprintf(stderr, "invariant broken: %s (%s:%d)\n", #condition, __FILE__, __LINE__);    \
            std::abort();                                                                             \
        }                                                                                             \
    } while (0)

namespace fuzz {

// Makes the application object once (a widget application when `widgets`, for the view), headless, with
// temporary files in memory where the system offers that.
void startApplication(bool widgets = false);

// A temporary folder that lives as long as the process; with `modules` a copy of the shipped modules/
// folder in it, made the current directory.
QString workFolder(bool modules = false);

// Writes `size` bytes to `path` with a modification time no earlier call used. The settings library keeps
// what it read of a file by name, size and time: a file written again with the same size within one
// millisecond would be answered from that cache, and a new name for each input would fill the cache.
void writeFresh(const QString &path, const uint8_t *data, size_t size);

}  // namespace fuzz
