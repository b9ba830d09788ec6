// SPDX-License-Identifier: GPL-3.0-or-later
// Input capture benchmark: the cost of the keyboard procedure for one key event (both table lookups and
// the key-state check, without the callback), which the system waits for on every key of the desktop.

#include "key_procedure.h"
#include "key_tables.h"

#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

int main()
{
    using namespace capture;
    KeyTables tables;
    tables.fill();
    KeyStates states{};

    // Every key of the table pressed, repeated once (dropped by the state check) and released: the mix of
    // a typing and recording session.
    std::vector<KeyHookData> events;
    for (const KeyRow &row : keyRows()) {
        const uint32_t flags = row.extended ? kFlagExtended : 0;
        events.push_back({0, kKeyDown, row.scanCode, flags});
        events.push_back({0, kKeyDown, row.scanCode, flags});
        events.push_back({0, kKeyUp, row.scanCode, flags | kFlagReleased});
    }

    constexpr int kRounds = 2000;
    std::vector<double> perEvent;
    unsigned reported = 0;
    for (int run = 0; run < 7; ++run) {
        QElapsedTimer clock;
        clock.start();
        for (int round = 0; round < kRounds; ++round) {
            for (const KeyHookData &event : events)
                reported += keyboardProcedure(tables, states, event).has_value();
        }
        perEvent.push_back(double(clock.nsecsElapsed()) / double(kRounds * events.size()));
    }
    std::sort(perEvent.begin(), perEvent.end());
    // Two reports per key and round: a check that the work was done and not optimised away.
    if (reported != 7u * kRounds * 2u * unsigned(keyRows().size()))
        return 1;
    std::printf("bench: key_event_ns %.1f ns\n", perEvent[perEvent.size() / 2]);
    return 0;
}
