// SPDX-License-Identifier: GPL-3.0-or-later
#include "window_driver.h"

#include "virtual_display.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTest>

WindowDriver::WindowDriver(const VirtualDisplay &virtualDisplay, const QString &name)
    : display(virtualDisplay)
    , className(name)
{
}

QString WindowDriver::xdotool(const QStringList &arguments) const
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), QString::fromLatin1(display.display));
    process.setProcessEnvironment(env);
    process.start(display.xdotool, arguments);
    if (!process.waitForFinished(10000) || process.exitCode() != 0)
        return QString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

bool WindowDriver::findWindow()
{
    const QStringList ids = xdotool({"search", "--onlyvisible", "--classname", className}).split('\n', Qt::SkipEmptyParts);
    for (const QString &id : ids) {
        const QString shell = xdotool({"getwindowgeometry", "--shell", id});
        auto field = [&shell](const char *name) {
            const QRegularExpression re(QStringLiteral("%1=(\\d+)").arg(QLatin1String(name)));
            return re.match(shell).captured(1).toInt();
        };
        if (field("WIDTH") == 1024 && field("HEIGHT") == 640) {
            corner = QPoint(field("X"), field("Y"));
            return true;
        }
    }
    return false;
}

void WindowDriver::click(const QPoint &at) const
{
    const QPoint p = corner + at;
    xdotool({"mousemove", QString::number(p.x()), QString::number(p.y()), "click", "1"});
    QTest::qWait(300);
}

void WindowDriver::drag(const QPoint &from, const QPoint &to) const
{
    const QPoint a = corner + from;
    const QPoint b = corner + to;
    xdotool({"mousemove", QString::number(a.x()), QString::number(a.y()), "mousedown", "1",
             "mousemove", QString::number((a.x() + b.x()) / 2), QString::number(a.y()),
             "mousemove", QString::number(b.x()), QString::number(b.y()), "mouseup", "1"});
    QTest::qWait(300);
}
