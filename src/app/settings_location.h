// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the program keeps its modules/ folder. A copy that may write beside its executable (a portable
// copy, Windows) keeps modules/ there. An installed copy (its executable under /usr, its shipped settings
// read-only) and a source build keep the user's modules/ in the data home, $XDG_DATA_HOME/zephra-config,
// made on the first start from the shipped defaults. A build folder's modules/ is refreshed by every build
// and marked as shipped defaults by the file modules.shipped beside it: settings saved there would be
// overwritten by the next build. Either way the folder that holds modules/ becomes the current directory
// and every path stays ./modules/...
//
// The first start also picks the interface's language: the shipped language file the user's locale asks
// for, when there is one (see locale_language.h). Later starts keep whatever is stored.

#include <QString>

inline constexpr char kDataFolderName[] = "zephra-config";
// Beside the executables of a build: modules/ there holds the shipped defaults only.
inline constexpr char kShippedMarkerName[] = "modules.shipped";

// What the choice depends on.
struct SettingsPlaces
{
    QString executableDir;
    bool besideWritable = false;   // modules/ beside the executable exists and may be written
    QString dataHome;              // $XDG_DATA_HOME, or ~/.local/share
    QString installedModules;      // the shipped modules/ folder, empty when none was found
    QString dataFolderName = QLatin1String(kDataFolderName);   // the program's folder in the data home
    QString language{};            // the language file the user's locale asks for, empty when none
};

struct SettingsLocation
{
    QString root;       // the folder that holds modules/ and becomes the current directory
    QString seedFrom;   // the modules/ folder copied into root on the first start; empty: nothing to copy
};

// The choice itself: beside the executable when that may be written, else the data home, seeded from the
// installed modules/.
SettingsLocation chooseSettingsLocation(const SettingsPlaces &places);

// The places as this system has them: modules/ beside `executableDir` (written only when it and its
// setting/ folder are writable and it is not marked as shipped defaults), the data home of QStandardPaths,
// the installed modules/ (beside the executable, or in the data folder of the installation:
// <prefix>/share/zephra-config/modules) and the language of the locale in LC_ALL, LC_MESSAGES or LANG.
SettingsPlaces currentSettingsPlaces(const QString &executableDir);

// Copies `defaults` to `root`/modules when that does not exist yet, through a temporary folder renamed at
// the end, so an interrupted first start leaves no half-filled modules/. Only the folders the program keeps
// files in are copied (a build's modules/ holds the build's own files too). An existing modules/ is never
// touched. A `language` whose file was copied becomes "common/language" of the copy's global settings.
// False when the copy failed.
bool seedSettings(const QString &defaults, const QString &root, const QString &language = QString());

// The whole decision for a start: chooses, seeds and returns the folder to make current. When the data home
// cannot be filled, the installed folder is used as it is (read-only: nothing is saved).
QString prepareSettingsRoot(const SettingsPlaces &places);
