// SPDX-License-Identifier: GPL-3.0-or-later
// The udev rules: one line per listed vendor and product id, read with the program's own device list
// parser (either letter case, "0x", wider values cut to 16 bits) and written in lower case; the template's
// placeholder filled; the packaging tool that writes them at build time; and the file this build made.

#include "device_list.h"
#include "udev_rules.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

QString rule(const char *vid, const char *pid)
{
    return QStringLiteral("KERNEL==\"hidraw*\", SUBSYSTEM==\"hidraw\", ATTRS{idVendor}==\"%1\", "
                          "ATTRS{idProduct}==\"%2\", TAG+=\"uaccess\"\n")
        .arg(QLatin1String(vid), QLatin1String(pid));
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

class TestUdevRules : public QObject
{
    Q_OBJECT

private slots:
    void rulesFromTheList_data()
    {
        QTest::addColumn<QByteArray>("list");
        QTest::addColumn<QString>("rules");
        QTest::newRow("upper case") << QByteArray("[common]\ndeviceCount=1\n[0]\nvid=5A50\npid=0A1F\n")
                                    << rule("5a50", "0a1f");
        QTest::newRow("0x and short") << QByteArray("[common]\ndeviceCount=1\n[0]\nvid=0X1B1C\npid=2f\n")
                                      << rule("1b1c", "002f");
        QTest::newRow("wider than 16 bits") << QByteArray("[common]\ndeviceCount=1\n[0]\nvid=15A50\npid=FFFF0714\n")
                                            << rule("5a50", "0714");
        QTest::newRow("two devices, one twice")
            << QByteArray("[common]\ndeviceCount=3\n[0]\nvid=5A50\npid=0714\n[1]\nvid=046D\npid=C08B\n"
                          "[2]\nvid=5a50\npid=0714\n")
            << rule("5a50", "0714") + rule("046d", "c08b");
        QTest::newRow("no ids, not hexadecimal") << QByteArray("[common]\ndeviceCount=2\n[0]\ntype=1\n[1]\nvid=zz\npid=0\n")
                                                 << QString();
        QTest::newRow("no list") << QByteArray("[common]\nname=x\n") << QString();
    }

    void rulesFromTheList()
    {
        QFETCH(QByteArray, list);
        QTemporaryDir dir;
        const QString path = dir.filePath("apConfigD.bin");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(list);
        file.close();
        const QString rules = udevRuleLines(readDeviceList(path));
        QTEST(rules, "rules");
        QVERIFY(!rules.contains("MODE"));
    }

    void templateIsFilled()
    {
        DeviceList list(1);
        list[0].vid = 0x5A50;
        list[0].pid = 0x0714;
        const QString filled = fillUdevTemplate(QStringLiteral("# head\n\n  @DEVICE_RULES@ \n# tail @DEVICE_RULES@\n"), list);
        QCOMPARE(filled, "# head\n\n" + rule("5a50", "0714") + "# tail @DEVICE_RULES@\n");
        QCOMPARE(fillUdevTemplate(QStringLiteral("a\n@DEVICE_RULES@\nb"), {}), QStringLiteral("a\n\nb"));
    }

    // The tool as the build runs it: the rules for a list, and a refusal (exit 1, nothing written) for a
    // missing list or one without ids, so a broken list can never ship an empty rules file.
    void packagingTool()
    {
        QTemporaryDir dir;
        const QString list = dir.filePath("list.bin");
        QFile file(list);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[common]\ndeviceCount=1\n[0]\nvid=ABCD\npid=EF01\n");
        file.close();
        auto run = [](const QStringList &args) {
            QProcess tool;
            tool.start(QStringLiteral(ZEPHRA_PACKAGE_TOOL), args);
            return tool.waitForFinished(20000) && tool.exitStatus() == QProcess::NormalExit ? tool.exitCode() : -1;
        };
        const QString out = dir.filePath("out.rules");
        QCOMPARE(run({"udev-rules", list, ZEPHRA_UDEV_TEMPLATE, out}), 0);
        const QString text = QString::fromUtf8(readFile(out));
        QVERIFY(text.startsWith("# zephra-config"));
        QVERIFY(text.contains(rule("abcd", "ef01")));
        QVERIFY(!text.contains("@DEVICE_RULES@"));

        const QString refused = dir.filePath("refused.rules");
        QCOMPARE(run({"udev-rules", dir.filePath("missing.bin"), ZEPHRA_UDEV_TEMPLATE, refused}), 1);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write("[common]\ndeviceCount=1\n[0]\ntype=1\n");
        file.close();
        QCOMPARE(run({"udev-rules", list, ZEPHRA_UDEV_TEMPLATE, refused}), 1);
        QVERIFY(!QFile::exists(refused));
        QCOMPARE(run({"udev-rules"}), 1);
    }

    // What this build made agrees with the shipped list, read the program's way.
    void theBuiltRulesMatchTheShippedList()
    {
        const QString built = QString::fromUtf8(readFile(ZEPHRA_UDEV_RULES_BUILT));
        const QString expected = fillUdevTemplate(QString::fromUtf8(readFile(ZEPHRA_UDEV_TEMPLATE)),
                                                  readDeviceList(ZEPHRA_DATA_DIR "/setting/apConfigD.bin"));
        QCOMPARE(built, expected);
        QVERIFY(built.contains(rule("5a50", "0714")));
        QVERIFY(!built.contains("MODE"));
    }
};

QTEST_GUILESS_MAIN(TestUdevRules)
#include "tst_udev_rules.moc"
