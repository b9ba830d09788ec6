// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The system's pointer settings: pointer speed, double-click time and wheel scroll lines. Windows keeps
// them in the user profile (SystemParametersInfoW); on Linux each desktop keeps its own (GNOME in
// GSettings, KDE in its configuration files), and a desktop without them leaves the settings alone.
// The values are those of the system page: the step arithmetic lives in the rules (pointer_steps.h).
// The platform layer implements this interface (src/platform) and the view hands the bridge the system's.

#include <QString>

class PointerSettings
{
public:
    enum class Result {
        Applied,
        Failed,        // the system refused the value or could not store it
        Unsupported,   // this system (or desktop) has no such setting; nothing was changed
    };

    virtual ~PointerSettings() = default;

    // Which system this is, for messages ("Windows", "GNOME", "KDE", or why there is none).
    virtual QString name() const = 0;

    // Pointer speed on the Windows scale, 1 (slowest) to 20 (fastest).
    virtual Result setPointerSpeed(uint speed) = 0;
    virtual Result setDoubleClickTime(uint milliseconds) = 0;
    // Lines per wheel notch; 1000 (any value above 100) stands for one screen.
    virtual Result setWheelScrollLines(uint lines) = 0;
};
