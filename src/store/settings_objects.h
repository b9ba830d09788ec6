// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The settings objects the interface reads and writes through: the global file, the default profile, the
// ten profiles and the number of the current profile. The view holds them as its published members; the
// store's operations are handed this set of references and may replace an object whose file they replace.

#include <QList>

class QObject;
class QSettings;

struct SettingsObjects
{
    QSettings *&global;
    QSettings *&defaultProfile;
    QList<QSettings *> &profiles;
    const int &currentProfile;
    QObject *parent;   // of every settings object the store opens
};
