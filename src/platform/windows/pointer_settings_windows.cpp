// SPDX-License-Identifier: GPL-3.0-or-later
// Windows pointer settings: SystemParametersInfoW, each change written to the user profile and
// broadcast to every window.

#include "system_pointer_settings.h"

#include <windows.h>

namespace {

constexpr UINT kUpdateAndBroadcast = SPIF_UPDATEINIFILE | SPIF_SENDCHANGE;   // 3

PointerSettings::Result result(BOOL ok)
{
    return ok ? PointerSettings::Result::Applied : PointerSettings::Result::Failed;
}

class WindowsPointerSettings final : public PointerSettings
{
public:
    QString name() const override { return QStringLiteral("Windows"); }

    Result setPointerSpeed(uint speed) override
    {
        // The speed travels as the pointer argument itself, not as a pointer to it.
        return result(SystemParametersInfoW(SPI_SETMOUSESPEED, 0, reinterpret_cast<PVOID>(static_cast<UINT_PTR>(speed)),
                                            kUpdateAndBroadcast));
    }

    Result setDoubleClickTime(uint milliseconds) override
    {
        return result(SystemParametersInfoW(SPI_SETDOUBLECLICKTIME, milliseconds, nullptr, kUpdateAndBroadcast));
    }

    Result setWheelScrollLines(uint lines) override
    {
        return result(SystemParametersInfoW(SPI_SETWHEELSCROLLLINES, lines, nullptr, kUpdateAndBroadcast));
    }
};

static_assert(SPI_SETMOUSESPEED == 0x71 && SPI_SETDOUBLECLICKTIME == 0x20 && SPI_SETWHEELSCROLLLINES == 0x69);

}  // namespace

std::unique_ptr<PointerSettings> systemPointerSettings()
{
    return std::make_unique<WindowsPointerSettings>();
}
