// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The command family of the installed device, chosen by the view's icType text: "560" selects the 560
// family, any other text (the empty text included) the 553 family.

#include <QStringView>

enum class CommandFamily { F553, F560 };

inline CommandFamily familyOf(QStringView icType)
{
    return icType == u"560" ? CommandFamily::F560 : CommandFamily::F553;
}
