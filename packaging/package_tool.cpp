// SPDX-License-Identifier: GPL-3.0-or-later
// zephra-package-tool: makes the files an installation needs from the program's own data, at build time.
//   udev-rules <device list> <template> <output>   the udev rules for every listed device (see udev_rules.h)
//   icon <image> <output.png>                      the tray icon as a PNG for the desktop's icon theme
// Reads the device list with the program's own parser, so the rules and the program never disagree on ids.

#include "device_list.h"
#include "durable_file.h"
#include "udev_rules.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QImage>

#include <cstdio>

namespace {

int fail(const QString &message)
{
    std::fprintf(stderr, "zephra-package-tool: %s\n", qPrintable(message));
    return 1;
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QString reason;
    if (durable::replaceFile(path, bytes, &reason))
        return true;
    std::fprintf(stderr, "zephra-package-tool: %s\n", qPrintable(reason));
    return false;
}

int makeUdevRules(const QString &listPath, const QString &templatePath, const QString &outPath)
{
    if (!QFileInfo::exists(listPath))
        return fail(QStringLiteral("no device list at %1").arg(listPath));
    const DeviceList list = readDeviceList(listPath);
    if (udevRuleLines(list).isEmpty())
        return fail(QStringLiteral("%1 lists no device with vendor and product ids").arg(listPath));
    QFile templ(templatePath);
    if (!templ.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("cannot read %1").arg(templatePath));
    const QString text = fillUdevTemplate(QString::fromUtf8(templ.readAll()), list);
    return writeFile(outPath, text.toUtf8()) ? 0 : fail(QStringLiteral("cannot write %1").arg(outPath));
}

int makeIcon(const QString &imagePath, const QString &outPath)
{
    const QImage image(imagePath);
    if (image.isNull())
        return fail(QStringLiteral("cannot read the image %1").arg(imagePath));
    QByteArray png;
    QBuffer buffer(&png);
    if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "PNG"))
        return fail(QStringLiteral("cannot convert %1 to PNG").arg(imagePath));
    return writeFile(outPath, png) ? 0 : fail(QStringLiteral("cannot write %1").arg(outPath));
}

}  // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);   // image format plugins (the .ico reader) are found through it
    const QStringList args = QCoreApplication::arguments().mid(1);
    if (args.size() == 4 && args[0] == QLatin1String("udev-rules"))
        return makeUdevRules(args[1], args[2], args[3]);
    if (args.size() == 3 && args[0] == QLatin1String("icon"))
        return makeIcon(args[1], args[2]);
    return fail(QStringLiteral("usage: udev-rules <device list> <template> <output> | icon <image> <output.png>"));
}
