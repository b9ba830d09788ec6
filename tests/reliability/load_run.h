// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The load run: 10 000 settings reads and writes through the view's slots, then 1 000 key-matrix uploads
// in a row to the virtual mouse with a sleeper that never pauses, measuring the heap and the open file
// descriptors before and after. The load test asserts on the figures, the benchmark prints them.

#include <QtGlobal>

struct LoadFigures
{
    int settingsOps = 0;
    int uploads = 0;
    qint64 settingsMs = 0;
    qint64 uploadsMs = 0;
    qint64 heapBefore = 0;      // bytes in use
    qint64 heapAfter = 0;
    int descriptorsBefore = 0;
    int descriptorsAfter = 0;
    bool uploadsArrived = false; // the mouse holds the last matrix sent
};

LoadFigures runLoad(int settingsOps = 10000, int uploads = 1000);

// Bytes of heap in use: the sanitizer's count in sanitized builds, the C library's otherwise.
qint64 heapInUse();
int openDescriptors();
