// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Pointer settings of a GNOME session, in GSettings: org.gnome.desktop.peripherals.mouse "speed" (-1 to
// 1) and "double-click" (milliseconds). GNOME has no wheel scroll lines setting.

#include "pointer_settings.h"

struct _GSettings;

class GnomePointerSettings final : public PointerSettings
{
public:
    // Null when the schema is not installed (a GSettings object on a missing schema aborts the process).
    static std::unique_ptr<GnomePointerSettings> open(const char *schemaId = "org.gnome.desktop.peripherals.mouse");
    ~GnomePointerSettings() override;

    GnomePointerSettings(const GnomePointerSettings &) = delete;
    GnomePointerSettings &operator=(const GnomePointerSettings &) = delete;

    QString name() const override { return QStringLiteral("GNOME"); }
    Result setPointerSpeed(uint speed) override;
    Result setDoubleClickTime(uint milliseconds) override;
    Result setWheelScrollLines(uint lines) override;

private:
    GnomePointerSettings(_GSettings *settings, bool hasSpeed, bool hasDoubleClick);

    _GSettings *settings;
    bool hasSpeed;
    bool hasDoubleClick;
};
