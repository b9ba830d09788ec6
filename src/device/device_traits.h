// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the command families need to know about the installed device, supplied by the transport's owner
// (the view reads both from the global settings file). Without a provider the transport assumes the 553
// family without gun support.

#include <QString>

class DeviceTraits
{
public:
    virtual ~DeviceTraits() = default;
    // The family selector: "560" selects the 560 family, any other text the 553 family.
    virtual QString icType() const = 0;
    // The device has gun keys; 560 numbered series then send only their first report.
    virtual bool isGun() const = 0;
};
