// SPDX-License-Identifier: GPL-3.0-or-later
// Where the program keeps modules/: beside a writable executable folder, else in the data home, seeded once
// from the installed defaults and never written under the installed folder; a build folder's modules/ holds
// the shipped defaults only, so a rebuild never touches the user's settings.

#include "locale_language.h"
#include "settings_format.h"
#include "settings_location.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

namespace {

void writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// Every folder and file under `root` with its contents' hash and modification time: equal snapshots mean
// nothing was created, changed or removed.
QStringList snapshot(const QString &root)
{
    QStringList items;
    QDirIterator it(root, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        const QByteArray hash = info.isFile()
            ? QCryptographicHash::hash(readFile(info.filePath()), QCryptographicHash::Sha1).toHex() : "dir";
        items << QStringLiteral("%1 %2 %3").arg(QDir(root).relativeFilePath(info.filePath()), QString::fromLatin1(hash))
                     .arg(info.lastModified().toMSecsSinceEpoch());
    }
    items.sort();
    return items;
}

// An installation: <prefix>/bin (the executable's folder) and <prefix>/share/zephra-config/modules.
struct Installation
{
    Installation()
    {
        bin = dir.filePath("usr/bin");
        QDir().mkpath(bin);
        shipped = dir.filePath("usr/share/zephra-config/modules");
        writeFile(shipped + "/setting/apConfig.bin", "[common]\ndeviceCount=1\n");
        writeFile(shipped + "/setting/p1.bin", "[mouse]\ndpi=1\n");
        writeFile(shipped + "/img/logo.ico", "icon");
        QDir().mkpath(shipped + "/macro");   // an empty folder is made too
        home = dir.filePath("home/.local/share");
    }
    SettingsPlaces places() const
    {
        SettingsPlaces p = currentSettingsPlaces(bin);
        p.besideWritable = false;   // what /usr gives a user (tests run as root, so it is not asked)
        p.dataHome = home;
        return p;
    }
    QString userModules() const { return home + "/zephra-config/modules"; }

    QTemporaryDir dir;
    QString bin, shipped, home;
};

// The demo of this build, started in place from the build folder with a data home of `home`, until its
// interface has started; returns the folder it made current (where it keeps its settings).
QString runBuiltDemo(const QString &home)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_DATA_HOME", home);
    env.insert("XDG_RUNTIME_DIR", home);
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("QT_LOGGING_RULES", "zephra.ui.debug=true;zephra.wire.debug=false");
    QProcess demo;
    demo.setProcessEnvironment(env);
    demo.setProcessChannelMode(QProcess::MergedChannels);
    demo.start(QStringLiteral(ZEPHRA_DEMO_PATH), {});
    if (!demo.waitForStarted(10000))
        return {};
    QByteArray out;
    while (!out.contains("QML initUI  returned") && demo.waitForReadyRead(30000))
        out += demo.readAll();
    const QString current = QFileInfo(QStringLiteral("/proc/%1/cwd").arg(demo.processId())).symLinkTarget();
    demo.write("quit\n");
    if (!demo.waitForFinished(20000))
        demo.kill();
    return out.contains("QML initUI  returned") ? current : QString();
}

}  // namespace

class TestSettingsLocation : public QObject
{
    Q_OBJECT

private slots:
    void choice_data()
    {
        QTest::addColumn<bool>("writable");
        QTest::addColumn<QString>("dataHome");
        QTest::addColumn<QString>("installed");
        QTest::addColumn<QString>("root");
        QTest::addColumn<QString>("seedFrom");

        QTest::newRow("portable copy") << true << "/home/u/.local/share" << "/opt/z/modules" << "/opt/z" << "";
        QTest::newRow("installed") << false << "/home/u/.local/share" << "/usr/share/zephra-config/modules"
                                   << "/home/u/.local/share/zephra-config" << "/usr/share/zephra-config/modules";
        QTest::newRow("read-only copy") << false << "/home/u/.local/share/" << "/media/cd/modules"
                                        << "/home/u/.local/share/zephra-config" << "/media/cd/modules";
        QTest::newRow("no data home") << false << "" << "/usr/share/zephra-config/modules"
                                      << "/usr/share/zephra-config" << "";
        QTest::newRow("nothing at all") << false << "" << "" << "/opt/z" << "";
    }

    void choice()
    {
        QFETCH(bool, writable);
        QFETCH(QString, dataHome);
        QFETCH(QString, installed);
        const SettingsLocation location = chooseSettingsLocation({"/opt/z", writable, dataHome, installed});
        QTEST(location.root, "root");
        QTEST(location.seedFrom, "seedFrom");
    }

    // The places as the file system has them: modules/ beside the executable, else the installation's.
    void placesFromTheFileSystem()
    {
        Installation inst;
        SettingsPlaces places = currentSettingsPlaces(inst.bin);
        QCOMPARE(places.installedModules, inst.shipped);
        QVERIFY(!places.besideWritable);   // no modules/ beside /usr/bin
        QVERIFY(!places.dataHome.isEmpty());

        QDir().mkpath(inst.bin + "/modules/setting");
        places = currentSettingsPlaces(inst.bin);
        QCOMPARE(places.installedModules, inst.bin + "/modules");
        QVERIFY(places.besideWritable);
        QCOMPARE(prepareSettingsRoot(places), inst.bin);
    }

    // Installed: the first start fills the data home from the shipped files, the second keeps what the
    // user changed, and nothing under the installation is ever written.
    void installedStartsSeedOnceAndNeverWriteTheInstallation()
    {
        Installation inst;
        const QStringList before = snapshot(inst.dir.filePath("usr"));

        QCOMPARE(prepareSettingsRoot(inst.places()), inst.home + "/zephra-config");
        QCOMPARE(readFile(inst.userModules() + "/setting/apConfig.bin"), QByteArray("[common]\ndeviceCount=1\n"));
        QCOMPARE(readFile(inst.userModules() + "/img/logo.ico"), QByteArray("icon"));
        QVERIFY(QFileInfo(inst.userModules() + "/macro").isDir());
        QVERIFY(!QFileInfo::exists(inst.userModules() + ".partial"));

        // The user changes a profile, deletes another and adds a macro; a newer installation ships new files.
        writeFile(inst.userModules() + "/setting/apConfig.bin", "[common]\ndeviceCount=2\n");
        QVERIFY(QFile::remove(inst.userModules() + "/setting/p1.bin"));
        writeFile(inst.userModules() + "/macro/m1.bin", "[macro]\n");
        const QStringList userBefore = snapshot(inst.userModules());
        QCOMPARE(snapshot(inst.dir.filePath("usr")), before);
        writeFile(inst.shipped + "/setting/p2.bin", "[mouse]\n");
        const QStringList shippedNow = snapshot(inst.dir.filePath("usr"));

        QCOMPARE(prepareSettingsRoot(inst.places()), inst.home + "/zephra-config");
        QCOMPARE(snapshot(inst.userModules()), userBefore);
        QCOMPARE(snapshot(inst.dir.filePath("usr")), shippedNow);
    }

    // The language of messages as POSIX decides it, and the shipped language file it names.
    void localeLanguage_data()
    {
        QTest::addColumn<QString>("lcAll");
        QTest::addColumn<QString>("lcMessages");
        QTest::addColumn<QString>("lang");
        QTest::addColumn<QString>("language");

        QTest::newRow("LANG") << "" << "" << "de_DE.UTF-8" << "German";
        QTest::newRow("LC_MESSAGES before LANG") << "" << "it_IT.UTF-8" << "de_DE.UTF-8" << "Italian";
        QTest::newRow("LC_ALL before both") << "fr_FR.UTF-8" << "it_IT" << "de_DE" << "French";
        QTest::newRow("LC_ALL with no file hides LANG") << "pt_PT.UTF-8" << "" << "de_DE.UTF-8" << "";
        QTest::newRow("nothing set") << "" << "" << "" << "";
        QTest::newRow("C.UTF-8") << "" << "" << "C.UTF-8" << "English";
        QTest::newRow("POSIX") << "POSIX" << "" << "ru_RU.UTF-8" << "English";
        QTest::newRow("modifier") << "" << "" << "de_AT@euro" << "German";
        QTest::newRow("Brazil") << "" << "" << "pt_BR.UTF-8" << "PortugueseBrazil";
        QTest::newRow("Portugal") << "" << "" << "pt_PT.UTF-8" << "";
        QTest::newRow("Russian") << "" << "" << "ru_RU.KOI8-R" << "Russian";
        QTest::newRow("Japanese") << "" << "" << "ja_JP.eucJP" << "Japanese";
        QTest::newRow("China") << "" << "" << "zh_CN.GB18030" << "ChineseSimplified";
        QTest::newRow("Singapore") << "" << "" << "zh_SG.UTF-8" << "ChineseSimplified";
        QTest::newRow("Taiwan") << "" << "" << "zh_TW.Big5" << "ChineseTraditional";
        QTest::newRow("Hong Kong") << "" << "" << "zh_HK.UTF-8" << "ChineseTraditional";
        QTest::newRow("Dutch") << "" << "" << "nl_NL.UTF-8" << "";
    }

    void localeLanguage()
    {
        QFETCH(QString, lcAll);
        QFETCH(QString, lcMessages);
        QFETCH(QString, lang);
        QTEST(languageForLocale(messagesLocale(lcAll, lcMessages, lang)), "language");
    }

    // The first start stores the locale's language when its file was shipped; a later start never changes
    // what is stored.
    void theFirstStartTakesTheLocalesLanguage_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QByteArray>("stored");
        QTest::newRow("shipped") << "German" << QByteArray("language=German");
        QTest::newRow("not shipped") << "Dutch" << QByteArray("language=English");
        QTest::newRow("none") << "" << QByteArray("language=English");
    }

    void theFirstStartTakesTheLocalesLanguage()
    {
        QFETCH(QString, language);
        QFETCH(QByteArray, stored);
        Installation inst;
        writeFile(inst.shipped + "/setting/apConfig.bin", "[common]\nlanguage=English\ndeviceCount=1\n");
        writeFile(inst.shipped + "/i18n/German.ini", "[main]\ntotal=0\n");
        SettingsPlaces places = inst.places();
        places.language = language;
        QCOMPARE(prepareSettingsRoot(places), inst.home + "/zephra-config");
        const QString global = inst.userModules() + "/setting/apConfig.bin";
        QVERIFY2(readFile(global).contains(stored + '\n'), readFile(global).constData());
        QVERIFY(readFile(global).contains("deviceCount=1\n"));

        writeFile(global, "[common]\nlanguage=French\n");
        places.language = "German";
        prepareSettingsRoot(places);
        QCOMPARE(readFile(global), QByteArray("[common]\nlanguage=French\n"));
    }

    // Read-only installed files are copied writable: the user's settings can be saved.
    void copiesAreWritableByTheUser()
    {
        Installation inst;
        QFile::setPermissions(inst.shipped + "/setting/p1.bin", QFileDevice::ReadOwner | QFileDevice::ReadOther);
        QVERIFY(seedSettings(inst.shipped, inst.home + "/zephra-config"));
        QVERIFY(QFile::permissions(inst.userModules() + "/setting/p1.bin") & QFileDevice::WriteOwner);
    }

    // A first start that was interrupted left a half copy: the next one starts the copy afresh.
    void anInterruptedCopyIsRedone()
    {
        Installation inst;
        writeFile(inst.userModules() + ".partial/setting/apConfig.bin", "half");
        QCOMPARE(prepareSettingsRoot(inst.places()), inst.home + "/zephra-config");
        QCOMPARE(readFile(inst.userModules() + "/setting/apConfig.bin"), QByteArray("[common]\ndeviceCount=1\n"));
        QVERIFY(!QFileInfo::exists(inst.userModules() + ".partial"));
    }

    // A data home that cannot be written (a file stands where the folder should be): the installed files
    // are used as they are, and nothing is left behind.
    void anUnwritableDataHomeFallsBackToTheInstallation()
    {
        Installation inst;
        writeFile(inst.home + "/zephra-config", "not a folder");
        const QStringList before = snapshot(inst.dir.filePath("usr"));
        QCOMPARE(prepareSettingsRoot(inst.places()), inst.dir.filePath("usr/share/zephra-config"));
        QCOMPARE(snapshot(inst.dir.filePath("usr")), before);
        QCOMPARE(readFile(inst.home + "/zephra-config"), QByteArray("not a folder"));
    }

    // A source build as a user has it: the demo started from the build folder, settings changed (a
    // profile value, a macro bound to a button, a gun record), the build's step that places the shipped
    // files run again, the demo started again. What the user changed is there byte for byte, and the
    // build's modules/ still holds exactly the shipped files.
    void aRebuildKeepsWhatTheUserChanged()
    {
        QTemporaryDir home;
        const QString root = runBuiltDemo(home.path());
        QVERIFY2(!root.isEmpty(), "the demo did not start its interface");
        QVERIFY2(root.startsWith(home.path()), qPrintable(root));

        const QString modules = root + "/modules";
        writeFile(modules + "/macro/Burst.bin", "[config]\nindex=1\nrepeat=1\ntotal=0\n");
        {
            QSettings profile(modules + "/setting/p1.bin", settingsFormat());
            profile.setValue("mouse/reportRate", 77);
            profile.setValue("mouseKeyMatrix/3", QStringList({"4", "0", "1", "0"}));
            profile.setValue("mouseMacroKey/1", "Burst");
            QSettings names(modules + "/setting/name.bin", settingsFormat());
            names.setValue("macro/macroName", QStringList({"Macro_0", "Burst"}));
            QSettings guns(modules + "/gun/gunData.bin", settingsFormat());
            guns.setValue("gunData/Sniper", QStringList({"Sniper", "L-Click", "9", "0", "8", "0"}));
        }
        const QStringList changed = {"setting/p1.bin", "setting/name.bin", "macro/Burst.bin", "gun/gunData.bin"};
        QMap<QString, QByteArray> before;
        for (const QString &file : changed)
            before.insert(file, readFile(modules + '/' + file));
        QVERIFY(before.value("setting/p1.bin").contains("\nreportRate=77\n"));

        QProcess place;
        place.start(QStringLiteral(ZEPHRA_CMAKE), {"-DSOURCE=" ZEPHRA_DATA_DIR, "-DBUILD=" ZEPHRA_BUILD_DIR, "-P",
                                                  QStringLiteral(ZEPHRA_PLACE_SHIPPED_FILES)});
        QVERIFY(place.waitForFinished(60000));
        QCOMPARE(place.exitCode(), 0);
        QCOMPARE(runBuiltDemo(home.path()), root);

        for (const QString &file : changed)
            QVERIFY2(readFile(modules + '/' + file) == before.value(file), qPrintable(file + " changed"));
        QDirIterator shipped(ZEPHRA_DATA_DIR, QDir::Files, QDirIterator::Subdirectories);
        while (shipped.hasNext()) {
            const QString file = QDir(ZEPHRA_DATA_DIR).relativeFilePath(shipped.next());
            QVERIFY2(readFile(ZEPHRA_BUILD_DIR "/modules/" + file) == readFile(shipped.filePath()), qPrintable(file));
        }
        QVERIFY(!QFileInfo::exists(ZEPHRA_BUILD_DIR "/modules/macro/Burst.bin"));
    }
};

QTEST_GUILESS_MAIN(TestSettingsLocation)
#include "tst_settings_location.moc"
