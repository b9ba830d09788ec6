// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A sleeper that records pauses instead of sleeping and advances a virtual clock by them. Installed as the
// virtual mouse's clock, the log's time stamps then show the protocol's pauses exactly.

#include "sleeper.h"
#include "virtual_mouse.h"

#include <atomic>
#include <vector>

class RecordingSleeper final : public Sleeper
{
public:
    RecordingSleeper() { vmouse::setClock([this] { return nowMs.load(); }); }
    ~RecordingSleeper() override { vmouse::setClock(nullptr); }

    void sleep(int milliseconds) override
    {
        pauses.push_back(milliseconds);
        nowMs += milliseconds;
    }
    qint64 epochSeconds() const override { return epochBase + nowMs.load() / 1000; }

    int total() const
    {
        int sum = 0;
        for (int p : pauses)
            sum += p;
        return sum;
    }

    std::vector<int> pauses;
    std::atomic<qint64> nowMs{0};
    qint64 epochBase = 1'700'000'000;
};
