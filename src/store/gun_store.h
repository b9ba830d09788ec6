// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Gun records in gunData.bin, and the per-profile X/Y sensitivity and selected-gun values.

#include "settings_objects.h"

#include <QStringList>
#include <QVariant>
#include <QVariantList>

namespace store {

void mouseSaveGundata(const QVariant &index, const QVariantList &src6);
// Type 0 removes the record named by src6[0]; type 1 renames src6[6] to src6[0] with values src6[1..5].
void modifyGundata(const QVariant &modifyType, const QVariantList &src6);
QVariantList getGunData(const QVariant &name);
QStringList getGunDataKey();

QVariant getXYSensitive(const SettingsObjects &settings, const QVariant &index);
void setXYSensitive(const SettingsObjects &settings, const QVariant &index, const QVariant &xyData);
QVariant getselectGun(const SettingsObjects &settings, const QVariant &index);
void setSelectGun(const SettingsObjects &settings, const QVariant &index, const QVariant &xyData);

}  // namespace store
