// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Choosing the pointer settings of a Linux session by its desktop (XDG_CURRENT_DESKTOP): GNOME's in
// GSettings, KDE's in its configuration files, and on any other desktop none (each change is left alone
// with a debug message).

#include "pointer_settings.h"

#include <QString>
#include <QStringView>

enum class Desktop { Gnome, Kde, Other };

// The first desktop of a colon-separated XDG_CURRENT_DESKTOP list that has pointer settings here
// ("ubuntu:GNOME" is GNOME).
Desktop desktopOf(QStringView xdgCurrentDesktop);

// The pointer settings for a desktop list; `configFolder` is where KDE keeps its files.
std::unique_ptr<PointerSettings> pointerSettingsFor(const QString &xdgCurrentDesktop, const QString &configFolder);

// A session without pointer settings we know: every change is Unsupported.
class NoPointerSettings final : public PointerSettings
{
public:
    explicit NoPointerSettings(QString why) : why(std::move(why)) {}
    QString name() const override { return why; }
    Result setPointerSpeed(uint) override { return Result::Unsupported; }
    Result setDoubleClickTime(uint) override { return Result::Unsupported; }
    Result setWheelScrollLines(uint) override { return Result::Unsupported; }

private:
    QString why;
};
