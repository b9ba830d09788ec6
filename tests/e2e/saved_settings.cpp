// SPDX-License-Identifier: GPL-3.0-or-later
#include "saved_settings.h"

#include "dpi_codes.h"
#include "key_matrix.h"

#include <QSettings>

namespace {

template <typename Bytes>
QString hexText(const Bytes &bytes)
{
    QString text;
    for (uchar b : bytes)
        text += QStringLiteral(" %1").arg(b, 2, 16, QLatin1Char('0'));
    return text;
}

QString settingsFile(const QString &folder, const char *name)
{
    return folder + QStringLiteral("/modules/setting/") + QLatin1String(name);
}

}  // namespace

QString savedDpiTable(const QString &folder)
{
    const QSettings global(settingsFile(folder, "apConfig.bin"), QSettings::IniFormat);
    const QSettings profile(settingsFile(folder, "p1.bin"), QSettings::IniFormat);
    const QString sensor = global.value("mouse/sensorType").toString();
    const QStringList values = profile.value("mouse/dpiValueArray").toStringList();
    dpi::Stages codes{};
    for (int i = 0; i < dpi::kStages; ++i)
        codes[size_t(i)] = dpi::stageCode(sensor, values.value(i).toLongLong());
    return hexText(dpi::table553(codes, profile.value("mouse/currentDpiCount").toInt()));
}

QString savedKeyMatrix(const QString &folder)
{
    const QSettings profile(settingsFile(folder, "p1.bin"), QSettings::IniFormat);
    keymatrix::Matrix assignments{};
    for (int button = 0; button < keymatrix::kSlots; ++button) {
        const QStringList numbers = profile.value(QStringLiteral("mouseKeyMatrix/%1").arg(button)).toStringList();
        for (int i = 0; i < keymatrix::kEntryBytes; ++i)
            assignments[size_t(button * keymatrix::kEntryBytes + i)] = uchar(numbers.value(i).toInt());
    }
    return hexText(keymatrix::primaryMatrix(assignments, CommandFamily::F553));
}
