// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The Qt Quick scene graph the interface draws with, chosen once at start, before any view exists.
//
// The interface is flat shapes, text and small pictures: Qt Quick's software renderer draws it as the
// OpenGL renderer does and never loads an OpenGL driver, which (Mesa with its software rasteriser, where
// there is no graphics hardware) would cost about 90 MB. Whoever asks Qt for a scene graph of their own
// with Qt's variables (QT_QUICK_BACKEND=rhi with QSG_RHI_BACKEND=opengl, for example) gets Qt's choice.

#include <QByteArray>

// Whether the interface draws in software, given the values of QT_QUICK_BACKEND and QSG_RHI_BACKEND
// (empty when unset).
bool drawInSoftware(const QByteArray &quickBackend, const QByteArray &rhiBackend);

// Applies drawInSoftware() for this process's environment; before the application object exists.
//
// Drawing in software on Wayland, Qt's Wayland plugin would still start EGL (and load the OpenGL driver)
// at the first window, only to ask its OpenGL buffer integration whether it can draw window decorations.
// The main window is frameless, so decorations drawn by the program are turned off
// (QT_WAYLAND_DISABLE_WINDOWDECORATION=1, unless set already): the message boxes and Qt's own file dialog
// then have the frame the compositor gives them (server-side decorations), or none.
void chooseSceneGraph();
