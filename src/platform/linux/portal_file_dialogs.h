// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// File dialogs through the desktop's portal (org.freedesktop.portal.FileChooser) where the desktop offers
// one: GNOME's and KDE's own dialogs, also for a program outside a sandbox. Qt uses the portal only under
// its "xdgdesktopportal" platform theme, which keeps the desktop's usual theme for everything else and
// falls back to that theme's dialogs (or Qt's own) where no portal answers. The theme is chosen before the
// application object exists, unless the user chose a theme (QT_QPA_PLATFORMTHEME) or the session has no
// bus (no portal can answer then, and Qt's theme would keep waiting for the answer).

#include <QByteArray>

// Whether to choose the portal theme: no theme chosen by the user, Qt's portal theme installed, a session
// bus to reach the portal on.
bool wantPortalTheme(const QByteArray &chosenTheme, bool portalThemeInstalled, bool sessionBus);

// Chooses the portal theme for the application object about to be made, when wantPortalTheme says so.
// True when it did: once the application exists, forgetPortalThemeChoice() keeps the choice from the
// programs this one starts (a browser opened for the maker's page).
bool preferPortalFileDialogs();
void forgetPortalThemeChoice();
