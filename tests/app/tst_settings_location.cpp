// Where the program keeps modules/: beside a writable executable folder, else in the data home, seeded once
// from the installed defaults and never written under the installed folder.

#include "settings_location.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
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
};

QTEST_GUILESS_MAIN(TestSettingsLocation)
#include "tst_settings_location.moc"
