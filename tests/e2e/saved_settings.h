// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a run's saved settings send to a 553-family mouse, as the logs show bytes (" 0a 1b ..."): the DPI
// stage table and the primary key matrix of profile 1, computed from the files in the run's modules/.

#include <QString>

QString savedDpiTable(const QString &folder);
QString savedKeyMatrix(const QString &folder);
