// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Places on the program's 1024 x 640 window, as the interface lays it out, for tests that click them.

#include <QPoint>

namespace places {

const QPoint kTitleBar(300, 20);   // left of the profile list: drags the window
const QPoint kMacroEditorButton(110, 608);
const QPoint kSystemSettingButton(220, 608);
const QPoint kSaveButton(948, 608);
const QPoint kKeyResetButton(273, 78);
const QPoint kKey6Entry(160, 321);
const QPoint kDpiStage1Handle(763, 119);
const QPoint kDpiStage1PastEnd(1000, 119);
const QPoint kColour3Swatch(863, 445);
// In the colour choice that opens above the swatches: the saturation and brightness area.
const QPoint kColourAreaFrom(880, 330);
const QPoint kColourAreaTo(905, 318);
// In the macro editor (700 x 470, centred).
const QPoint kNewMacroButton(229, 495);
const QPoint kRecordButton(730, 170);
const QPoint kEditorOkButton(805, 523);
// In the assignment dialog (640 x 440, centred).
const QPoint kMacroCategory(270, 269);
const QPoint kMacroList(500, 159);
const QPoint kFirstMacro(480, 183);
const QPoint kAssignmentOkButton(775, 508);
// In the system settings dialog (460 x 330, centred).
const QPoint kSystemSettingOkButton(686, 455);

}  // namespace places
