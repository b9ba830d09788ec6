// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A user's hand on a program's 1024 x 640 window on a virtual X display: xdotool finds the window by its
// class name and clicks and drags at places given relative to the window's top left corner.

#include <QPoint>
#include <QString>
#include <QStringList>

class VirtualDisplay;

class WindowDriver
{
public:
    WindowDriver(const VirtualDisplay &display, const QString &className);

    // Runs xdotool on the display; returns its standard output (empty when it failed).
    QString xdotool(const QStringList &arguments) const;
    // Looks for the window; false while it is not shown.
    bool findWindow();
    QPoint origin() const { return corner; }

    void click(const QPoint &at) const;
    void drag(const QPoint &from, const QPoint &to) const;

private:
    const VirtualDisplay &display;
    QString className;
    QPoint corner{-1, -1};
};
