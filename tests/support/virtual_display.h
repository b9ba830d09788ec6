#pragma once
// An Xvfb server on a display number it picks itself, for the life of the object; and where xdotool is.
// `missing` names the program that is not installed (the test then skips itself).

#include <QByteArray>
#include <QString>

#include <sys/types.h>

class VirtualDisplay
{
public:
    VirtualDisplay();
    ~VirtualDisplay();
    VirtualDisplay(const VirtualDisplay &) = delete;
    VirtualDisplay &operator=(const VirtualDisplay &) = delete;

    QByteArray display;  // ":<n>"; empty when no server runs
    QString xdotool;
    QString missing;

private:
    pid_t pid = -1;
};
