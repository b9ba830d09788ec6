// SPDX-License-Identifier: GPL-3.0-or-later
// The files the program ships beside the executable: complete, consistent and readable.

#include "device_list.h"

#include <QImage>
#include <QSettings>
#include <QTest>

namespace {

QString shipped(const QString &relative)
{
    return QStringLiteral(ZEPHRA_DATA_DIR "/") + relative;
}

QByteArray bytesOf(const QString &relative)
{
    QFile file(shipped(relative));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool isListOfNumbers(const QVariant &value, int count)
{
    const QStringList parts = value.toStringList();
    if (value.metaType().id() != QMetaType::QStringList || parts.size() != count)
        return false;
    return std::all_of(parts.begin(), parts.end(), [](const QString &part) {
        bool ok = false;
        part.toInt(&ok);
        return ok;
    });
}

}  // namespace

class TestShippedData : public QObject
{
    Q_OBJECT

private slots:
    void languages_data()
    {
        QTest::addColumn<QString>("file");
        QTest::newRow("English") << "i18n/English.ini";
        QTest::newRow("ChineseSimplified") << "i18n/ChineseSimplified.ini";
    }
    void languages()
    {
        QFETCH(QString, file);
        const QSettings language(shipped(file), QSettings::IniFormat);
        const QList<std::pair<const char *, int>> groups{
            {"main", 15}, {"keyMatrix", 5}, {"keyAssigment", 60}, {"dpiSetting", 5}, {"lightControl", 20},
            {"macroEditor", 20}, {"systemSetting", 15}, {"gunControl", 10}, {"profile", 20}, {"keyCode", 133},
            {"other", 8}};
        for (const auto &[group, size] : groups) {
            const QString prefix = QLatin1String(group) + QLatin1Char('/');
            QCOMPARE(language.value(prefix + "total").toInt(), size);
            for (int i = 0; i < size; ++i) {
                const QVariant text = language.value(prefix + QString::number(i));
                QVERIFY2(text.metaType().id() == QMetaType::QString, qPrintable(prefix + QString::number(i)));
            }
        }
        QVERIFY(!language.value("main/0").toString().isEmpty() && language.value("main/13").toString().isEmpty());
        // Key names are the same in every language: macros store them.
        const QStringList expected{"A", "Z", "1", "0", "Enter", "\\", "\\", ";", ",", "=", QString::fromUtf8("►"),
                                   "KP=", "F24", "Lang2", "RWin", "MS-B5"};
        const QList<int> at{0, 25, 26, 35, 36, 45, 46, 47, 50, 42, 75, 99, 111, 119, 127, 132};
        for (int i = 0; i < at.size(); ++i)
            QCOMPARE(language.value(QStringLiteral("keyCode/%1").arg(at[i])).toString(), expected[i]);
        for (int i = 0; i < 8; ++i)
            QVERIFY(!language.value(QStringLiteral("other/%1").arg(i)).toString().isEmpty());
    }

    void profiles()
    {
        for (int n = 1; n <= 10; ++n)
            QCOMPARE(bytesOf(QStringLiteral("setting/p%1.bin").arg(n)), bytesOf("setting/pD.bin"));
        const QSettings profile(shipped("setting/pD.bin"), QSettings::IniFormat);
        for (int k = 0; k < 16; ++k) {
            QVERIFY(isListOfNumbers(profile.value(QStringLiteral("mouseKeyMatrix/%1").arg(k)), 4));
            QVERIFY(isListOfNumbers(profile.value(QStringLiteral("mouseFwKeyMatrix/%1").arg(k)), 4));
            QVERIFY(profile.contains(QStringLiteral("mouseMacroKey/%1").arg(k)));
        }
        QCOMPARE(profile.value("mouseKeyMatrix/7").toStringList(), QStringList({"0", "240", "30", "2"}));
        QCOMPARE(profile.value("mouseKeyMatrix/15").toStringList(), QStringList({"255", "0", "2", "0"}));
        QVERIFY(isListOfNumbers(profile.value("mouse/dpiValueArray"), 8));
        QVERIFY(isListOfNumbers(profile.value("mouse/lightValue"), 3));
        QVERIFY(isListOfNumbers(profile.value("mouse/colorValue"), 24));
        for (const char *key : {"mouse/reportRate", "mouse/reportRateEn", "mouse/dpiCount", "mouse/currentDpiCount",
                                "mouse/mouseRate", "mouse/doubleRate", "mouse/scrollRate", "XYSensitive/0",
                                "XYSensitive/1", "selectGun/0"})
            QVERIFY2(profile.contains(key), key);
    }

    void globalConfiguration()
    {
        QCOMPARE(bytesOf("setting/apConfigD.bin"), bytesOf("setting/apConfig.bin"));
        const DeviceList devices = readDeviceList(shipped("setting/apConfig.bin"));
        QVERIFY(!devices.isEmpty());
        QCOMPARE(devices.first().vid, quint16(0x5A50));
        QCOMPARE(devices.first().pid, quint16(0x0714));
        const QSettings global(shipped("setting/apConfig.bin"), QSettings::IniFormat);
        for (const char *key : {"common/name", "common/language", "common/url", "mouse/isColorful", "mouse/isGun",
                                "mouse/is55328", "mouse/icType", "mouse/keyCount", "mouse/minDPI", "mouse/maxDPI",
                                "mouse/dpiBase", "mouse/sensorType", "mouse/profileNo"})
            QVERIFY2(!global.value(key).toString().isEmpty(), key);
        QVERIFY(isListOfNumbers(global.value("mouse/selectGun"), 3));
        QVERIFY(QFile::exists(shipped("i18n/" + global.value("common/language").toString() + ".ini")));
    }

    void gunsAndIcon()
    {
        const QSettings guns(shipped("gun/gunData.bin"), QSettings::IniFormat);
        const QStringList names{"M416", "AKM", "M16A4", "SCAR-L", "UNP9", "Thomson"};
        for (int i = 0; i < 6; ++i) {
            const QStringList record = guns.value(QStringLiteral("gunData/%1").arg(i)).toStringList();
            QCOMPARE(record.size(), 6);
            QCOMPARE(record.mid(0, 2), QStringList({names[i], "L-Click"}));
        }
        const QImage logo(shipped("img/logo.ico"));
        QCOMPARE(logo.size(), QSize(32, 32));
        QVERIFY(logo.hasAlphaChannel());
    }
};

QTEST_MAIN(TestShippedData)
#include "tst_shipped_data.moc"
