// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Time as a dependency of the device protocol.
//
// Every pause of the transport (8 ms polls, 120 ms after a bulk report, 64 ms halves of the settle wait,
// 8 ms after the unsettled set commands) goes through sleep(); the handshake seeds its challenge from
// epochSeconds(). Production uses SystemSleeper; tests substitute a recorder so that the exact pause
// sequence can be asserted without the suite sleeping.

#include <QtGlobal>

class Sleeper
{
public:
    virtual ~Sleeper() = default;
    virtual void sleep(int milliseconds) = 0;
    // Whole seconds since 1970 (UTC).
    virtual qint64 epochSeconds() const = 0;
};

class SystemSleeper final : public Sleeper
{
public:
    void sleep(int milliseconds) override;
    qint64 epochSeconds() const override;
};
