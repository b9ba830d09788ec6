// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Pointer settings of a KDE Plasma session: the double-click time and wheel scroll lines in kdeglobals
// ([KDE] DoubleClickInterval, WheelScrollLines), the pointer acceleration in kcminputrc ([Mouse]
// XLbInptPointerAcceleration, -1 to 1, as the mouse settings page of Plasma on X11 keeps it). Each change
// is written into the file with every other line kept, then announced on the session bus the way KDE's
// own settings pages do, so running programs pick it up.

#include "pointer_settings.h"

#include <QByteArrayView>
#include <QString>

class KdePointerSettings final : public PointerSettings
{
public:
    // `configFolder`: where kdeglobals and kcminputrc live (the user's configuration folder).
    explicit KdePointerSettings(QString configFolder);

    QString name() const override { return QStringLiteral("KDE"); }
    Result setPointerSpeed(uint speed) override;
    Result setDoubleClickTime(uint milliseconds) override;
    Result setWheelScrollLines(uint lines) override;

private:
    Result write(const QString &file, QByteArrayView group, QByteArrayView key, const QByteArray &value) const;
    QString folder;
};
