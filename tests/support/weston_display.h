// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A Wayland compositor for end-to-end runs: weston with its x11 backend, as a window on a virtual X display
// (weston's headless backend has no input devices, and Qt's Wayland plugin does not cope with a seat
// without them). Its 1200 x 760 output window sits at the X display's origin, so xdotool's pointer and
// keys on the X display are the compositor's input; the display must be larger (the pointer enters from
// outside, see enterPointer). Plain desktop shell on a green background, no panel; screenshots through
// weston's screenshooter.

#include <QByteArray>
#include <QImage>
#include <QProcess>
#include <QRect>
#include <QString>
#include <QTemporaryDir>

class WestonDisplay
{
public:
    // Starts weston on `x11Display`; `missing` names the program that is not installed.
    explicit WestonDisplay(const QByteArray &x11Display);
    ~WestonDisplay();

    bool running() const;
    QString socket() const;   // full path, for WAYLAND_DISPLAY
    QString missing;

    // Weston follows the X pointer by its moves from the point where it entered the output window:
    // leaving and entering again makes the two agree.
    void enterPointer(const QString &xdotool, const QPoint &at);

    // A picture of the whole output; a null image when it could not be taken.
    QImage screenshot();
    // The box of everything that is not the background in `picture` (rows and columns with at least
    // `minimum` such pixels, so the pointer does not count).
    static QRect windowBox(const QImage &picture, int minimum = 100);

private:
    QTemporaryDir runtime;
    QProcess weston;
};
