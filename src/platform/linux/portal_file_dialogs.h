#pragma once
// File dialogs through the desktop's portal (org.freedesktop.portal.FileChooser) where the desktop offers
// one: GNOME's and KDE's own dialogs, also for a program outside a sandbox. Qt uses the portal only under
// its "xdgdesktopportal" platform theme, which keeps the desktop's usual theme for everything else and
// falls back to that theme's dialogs (or Qt's own) where no portal answers. The theme is chosen before the
// application object exists, unless the user chose a theme (QT_QPA_PLATFORMTHEME).

#include <QByteArray>

// Whether to choose the portal theme: no theme chosen by the user, and Qt's portal theme installed.
bool wantPortalTheme(const QByteArray &chosenTheme, bool portalThemeInstalled);

// Chooses the portal theme for this process when wantPortalTheme says so.
void preferPortalFileDialogs();
