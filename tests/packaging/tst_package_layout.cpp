// SPDX-License-Identifier: GPL-3.0-or-later
// The installation's layout: the Debian package built from this build tree with CPack and unpacked with
// dpkg-deb into a temporary root (and the package `make package` left in the build folder, when there is
// one), and `cmake --install` into a staging folder. Then the installed program itself, started from the
// unpacked root: it fills the user's data home from the installed defaults and writes nothing under usr/.

#include "udev_rules.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString kBuild = QStringLiteral(ZEPHRA_BUILD_DIR);

struct Run
{
    int code = -1;
    QString out;
};

Run run(const QString &program, const QStringList &args, const QProcessEnvironment &env = QProcessEnvironment::systemEnvironment())
{
    QProcess process;
    process.setProcessEnvironment(env);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, args);
    Run result;
    if (process.waitForFinished(240000) && process.exitStatus() == QProcess::NormalExit)
        result.code = process.exitCode();
    result.out = QString::fromLocal8Bit(process.readAll());
    return result;
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Every file under `root`, relative, sorted.
QStringList filesUnder(const QString &root)
{
    QStringList files;
    QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << QDir(root).relativeFilePath(it.next());
    files.sort();
    return files;
}

QString gunzip(const QString &path)
{
    const Run unzipped = run("gzip", {"-dc", path});
    return unzipped.code == 0 ? unzipped.out : QString();
}

// The first capture of `pattern` in `text`.
QString captured(const QString &pattern, const QString &text)
{
    return QRegularExpression(pattern).match(text).captured(1);
}

const int kIconSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};
const QString kDoc = QStringLiteral("usr/share/doc/zephra-config/");
const QString kMetainfo = QStringLiteral("usr/share/metainfo/io.github.orvante.ZephraConfig.metainfo.xml");
const QString kManPage = QStringLiteral("usr/share/man/man1/zephra-config.1.gz");

QString iconFile(int size)
{
    return QStringLiteral("usr/share/icons/hicolor/%1x%1/apps/zephra-config.png").arg(size);
}

QStringList snapshot(const QString &root)
{
    QStringList items;
    QDirIterator it(root, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        items << QStringLiteral("%1 %2 %3").arg(info.filePath(),
                                                 QString::fromLatin1(QCryptographicHash::hash(readFile(info.filePath()), QCryptographicHash::Sha1).toHex()))
                     .arg(info.lastModified().toMSecsSinceEpoch());
    }
    items.sort();
    return items;
}

}  // namespace

class TestPackageLayout : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (QStandardPaths::findExecutable("dpkg-deb").isEmpty() || QStandardPaths::findExecutable("dpkg-shlibdeps").isEmpty())
            QSKIP("dpkg-deb and dpkg-shlibdeps (dpkg-dev) are needed");
        QVERIFY(work.isValid());

        // The package from this build tree, as `make package` makes it.
        const Run cpack = run(QStringLiteral(ZEPHRA_CPACK),
                              {"--config", kBuild + "/CPackConfig.cmake", "-B", work.filePath("package")});
        QVERIFY2(cpack.code == 0, qPrintable(cpack.out));
        const QStringList debs = QDir(work.filePath("package")).entryList({"*.deb"});
        QCOMPARE(debs.size(), 1);
        packages << work.filePath("package/" + debs[0]);
        QVERIFY(QRegularExpression("^zephra-config_[0-9.]+-[0-9]+_[a-z0-9]+\\.deb$").match(debs[0]).hasMatch());
        // The one `make package` made, checked as well when it is there.
        for (const QString &made : QDir(kBuild).entryList({"zephra-config_*.deb"}))
            packages << kBuild + "/" + made;
    }

    void packageLayout_data()
    {
        QTest::addColumn<QString>("deb");
        for (const QString &deb : packages)
            QTest::newRow(qPrintable(deb.startsWith(kBuild) ? QStringLiteral("make package") : QStringLiteral("cpack")))
                << deb;
    }

    void packageLayout()
    {
        QFETCH(QString, deb);
        QTemporaryDir root;
        const Run unpack = run("dpkg-deb", {"-x", deb, root.path()});
        QVERIFY2(unpack.code == 0, qPrintable(unpack.out));
        checkLayout(root.path(), "usr/lib/udev/rules.d");

        // Control: the runtime packages, the scripts that reload udev, the autostart entry as a conffile.
        const QString depends = run("dpkg-deb", {"-f", deb, "Depends"}).out;
        for (const char *needed : {"libhidapi-hidraw0", "libqt6core6", "libqt6widgets6",
                                   "libqt6quickwidgets6", "libqt6dbus6", "libudev1", "qml6-module-qtquick",
                                   "qml6-module-qtquick-window", "qml6-module-qtqml-workerscript", "qt6-qpa-plugins",
                                   "qt6-wayland", "qt6-xdgdesktopportal-platformtheme", "fonts-dejavu-core",
                                   "fonts-wqy-microhei"})
            QVERIFY2(QRegularExpression(QStringLiteral("(^|, )%1( |,|$)").arg(needed)).match(depends.trimmed()).hasMatch(),
                     qPrintable(QStringLiteral("%1 missing in: %2").arg(needed, depends)));
        QCOMPARE(run("dpkg-deb", {"-f", deb, "Package"}).out.trimmed(), QStringLiteral("zephra-config"));
        QTemporaryDir control;
        QCOMPARE(run("dpkg-deb", {"-e", deb, control.path()}).code, 0);
        QCOMPARE(readFile(control.filePath("conffiles")).trimmed(), QByteArray("/etc/xdg/autostart/zephra-config.desktop"));
        QVERIFY(readFile(control.filePath("postinst")).contains("udevadm trigger --subsystem-match=hidraw"));
        QVERIFY(QFileInfo(control.filePath("postinst")).isExecutable());

        // One version everywhere: the package's is the changelog's latest entry; the manual page and the
        // metainfo's latest release name its upstream part.
        const QString version = run("dpkg-deb", {"-f", deb, "Version"}).out.trimmed();
        const QString upstream = version.section('-', 0, 0);
        QVERIFY2(version.startsWith(QStringLiteral(ZEPHRA_VERSION "-")), qPrintable(version));
        QCOMPARE(captured("^zephra-config \\(([^)]+)\\)", gunzip(root.filePath(kDoc + "changelog.Debian.gz"))), version);
        QCOMPARE(captured("<release version=\"([^\"]+)\"", QString::fromUtf8(readFile(root.filePath(kMetainfo)))), upstream);
        QCOMPARE(captured("(?m)^\\.TH [^\\n]*\"zephra\\\\-config ([^\"]+)\"", gunzip(root.filePath(kManPage))), upstream);
    }

    // `cmake --install` with the package's prefix, staged with DESTDIR: the same layout.
    void cmakeInstall()
    {
        QTemporaryDir stage;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("DESTDIR", stage.path());
        const Run install = run(QStringLiteral(ZEPHRA_CMAKE), {"--install", kBuild, "--prefix", "/usr"}, env);
        QVERIFY2(install.code == 0, qPrintable(install.out));
        checkLayout(stage.path(), "usr/lib/udev/rules.d");
    }

    // The installed program started from the unpacked root, as a user whose data home is empty: it copies
    // the installed defaults there, finds no mouse, and leaves usr/ as it was.
    void installedProgramSeedsTheDataHome()
    {
        QTemporaryDir root;
        QCOMPARE(run("dpkg-deb", {"-x", packages.value(0), root.path()}).code, 0);
        const QStringList before = snapshot(root.filePath("usr"));

        QTemporaryDir home;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("HOME", home.path());
        env.insert("XDG_DATA_HOME", home.filePath("data"));
        env.insert("XDG_RUNTIME_DIR", home.path());
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("ASAN_OPTIONS", "detect_leaks=0");
        QProcess program;
        program.setProcessEnvironment(env);
        program.setProcessChannelMode(QProcess::MergedChannels);
        program.setWorkingDirectory(home.path());
        program.start(root.filePath("usr/bin/zephra-config"), {});
        QString out;
        QTRY_VERIFY_WITH_TIMEOUT((out += QString::fromLocal8Bit(program.readAll())).contains("Device DisConnect"), 60000);
        program.kill();
        program.waitForFinished(10000);

        QVERIFY2(out.contains("Settings copied from"), qPrintable(out));
        const QString modules = home.filePath("data/zephra-config/modules");
        QCOMPARE(filesUnder(modules), filesUnder(root.filePath("usr/share/zephra-config/modules")));
        QCOMPARE(readFile(modules + "/setting/apConfig.bin"),
                 readFile(root.filePath("usr/share/zephra-config/modules/setting/apConfig.bin")));
        QCOMPARE(snapshot(root.filePath("usr")), before);
    }

private:
    void checkLayout(const QString &root, const QString &rulesDir)
    {
        const QStringList files = filesUnder(root);
        auto has = [&files](const QString &file) { return files.contains(file); };
        QVERIFY(QFileInfo(root + "/usr/bin/zephra-config").isExecutable());

        // The data files, without any QML (the interface is inside the executable).
        const QStringList shipped = filesUnder(QStringLiteral(ZEPHRA_DATA_DIR));
        QVERIFY(shipped.contains("setting/apConfigD.bin"));
        for (const QString &file : shipped)
            QVERIFY2(has("usr/share/zephra-config/modules/" + file), qPrintable(file));
        QCOMPARE(files.filter(QRegularExpression("\\.(qml|js)$")), QStringList());

        // The udev rules, exactly as the build made them; the menu entry, its icon, the autostart entry.
        const QString rules = rulesDir + "/" + QLatin1String(kUdevRuleFile);
        QVERIFY2(has(rules), qPrintable(files.join('\n')));
        QCOMPARE(readFile(root + "/" + rules), readFile(ZEPHRA_UDEV_RULES_BUILT));
        QVERIFY(!(QFileInfo(root + "/" + rules).permissions() & QFileDevice::WriteOther));
        const QByteArray entry = readFile(root + "/usr/share/applications/zephra-config.desktop");
        QVERIFY(entry.contains("\nExec=zephra-config\n"));
        QVERIFY(entry.contains("\nIcon=zephra-config\n"));
        for (int size : kIconSizes)
            QCOMPARE(QImage(root + "/" + iconFile(size)).size(), QSize(size, size));
        QVERIFY(readFile(root + "/usr/share/icons/hicolor/scalable/apps/zephra-config.svg").contains("<svg"));
        const QByteArray autostart = readFile(root + "/etc/xdg/autostart/zephra-config.desktop");
        QVERIFY(autostart.contains("\nExec=zephra-config --background\n"));   // the quiet start
        QVERIFY(autostart.contains("\nX-GNOME-Autostart-enabled=false\n"));

        // The metainfo: launched through the menu entry, with its icon, offered for every id the udev rules
        // give access to (and no other).
        const QString metainfo = QString::fromUtf8(readFile(root + "/" + kMetainfo));
        QCOMPARE(captured("<launchable type=\"desktop-id\">([^<]+)<", metainfo), QStringLiteral("zephra-config.desktop"));
        QCOMPARE(captured("<icon type=\"stock\">([^<]+)<", metainfo), captured("\nIcon=([^\n]+)\n", QString::fromUtf8(entry)));
        QStringList ids;
        auto rule = QRegularExpression(R"re(ATTRS\{idVendor\}=="(\w{4})", ATTRS\{idProduct\}=="(\w{4})")re")
                        .globalMatch(QString::fromUtf8(readFile(ZEPHRA_UDEV_RULES_BUILT)));
        while (rule.hasNext()) {
            const QRegularExpressionMatch match = rule.next();
            ids << QStringLiteral("usb:v%1p%2d*").arg(match.captured(1).toUpper(), match.captured(2).toUpper());
        }
        QStringList provided;
        auto modalias = QRegularExpression("<modalias>([^<]+)</modalias>").globalMatch(metainfo);
        while (modalias.hasNext())
            provided << modalias.next().captured(1);
        QVERIFY(!ids.isEmpty());
        QCOMPARE(provided, ids);

        // The licence in Debian's machine-readable form, and the manual page.
        QVERIFY(readFile(root + "/" + kDoc + "copyright")
                    .startsWith("Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/\n"));
        QVERIFY(gunzip(root + "/" + kManPage).contains("\\-\\-background"));

        // Nothing else: every file is one of the above.
        QStringList expected = QStringList{"usr/bin/zephra-config", rules,
                                           "usr/share/applications/zephra-config.desktop",
                                           "usr/share/icons/hicolor/scalable/apps/zephra-config.svg",
                                           "etc/xdg/autostart/zephra-config.desktop", kMetainfo, kManPage,
                                           kDoc + "copyright", kDoc + "changelog.Debian.gz",
                                           "usr/share/lintian/overrides/zephra-config"};
        for (int size : kIconSizes)
            expected << iconFile(size);
        for (const QString &file : files)
            QVERIFY2(expected.contains(file) || file.startsWith("usr/share/zephra-config/modules/"), qPrintable(file));
    }

    QTemporaryDir work;
    QStringList packages;
};

QTEST_MAIN(TestPackageLayout)
#include "tst_package_layout.moc"
