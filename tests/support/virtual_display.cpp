#include "virtual_display.h"

#include <QStandardPaths>

#include <csignal>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

VirtualDisplay::VirtualDisplay()
{
    const QString xvfb = QStandardPaths::findExecutable("Xvfb");
    xdotool = QStandardPaths::findExecutable("xdotool");
    if (xvfb.isEmpty() || xdotool.isEmpty()) {
        missing = xvfb.isEmpty() ? "Xvfb" : "xdotool";
        return;
    }
    int fds[2];
    if (pipe(fds) != 0)
        return;
    pid = fork();
    if (pid == 0) {
        close(fds[0]);
        const QByteArray program = xvfb.toLocal8Bit();
        const QByteArray fd = QByteArray::number(fds[1]);
        execl(program.constData(), "Xvfb", "-displayfd", fd.constData(), "-screen", "0", "1024x768x24",
              "-nolisten", "tcp", static_cast<char *>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    // Xvfb writes its display number once it accepts clients.
    QByteArray number;
    pollfd wait{fds[0], POLLIN, 0};
    char c = 0;
    while (pid > 0 && poll(&wait, 1, 10000) > 0 && read(fds[0], &c, 1) == 1 && c != '\n')
        number += c;
    close(fds[0]);
    if (!number.isEmpty())
        display = ":" + number;
}

VirtualDisplay::~VirtualDisplay()
{
    if (pid > 0) {
        kill(pid, SIGTERM);
        waitpid(pid, nullptr, 0);
    }
}
