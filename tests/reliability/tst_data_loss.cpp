// SPDX-License-Identifier: GPL-3.0-or-later
// Nothing is lost when the disk fails: every slot that writes a settings file, run against a read-only
// settings folder and against a full disk, leaves every file exactly as it was (no truncated file, no
// half copy, no stray temporary file) and keeps what it could not write until it can; so do the pointer
// slots with the desktop's files; readers of the global file never rewrite it; an import whose source
// vanishes while it is copied changes nothing; and a program killed right after a save leaves each file
// whole, old or new.

#include "discovery.h"
#include "disk_faults.h"
#include "hid_thread.h"
#include "ini_text.h"
#include "message_capture.h"
#include "my_quick_view.h"
#include "pointer_settings_kde.h"
#include "settings_files.h"
#include "store_on_disk.h"
#include "ui_controler.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <functional>

namespace {

enum Failure { ReadOnly, Full };

struct WriteCase
{
    const char *name;
    std::function<void(StoreOnDisk &)> prepare;   // before the disk fails
    std::function<void(StoreOnDisk &)> write;     // while it fails
    std::function<void(StoreOnDisk &)> retry;     // once it works again: what brings kept values to the disk
    const char *file = nullptr;                   // where they then are
    const char *text = nullptr;
    // A whole-file copy needs no lock file: its disk is full to the last byte (one page left would let a
    // small copy succeed, rightly).
    bool wholeFile = false;
};

QVariantList numbers(std::initializer_list<int> values)
{
    QVariantList list;
    for (int v : values)
        list.append(v);
    return list;
}

QVariantList assignmentSet()
{
    QVariantList set;
    for (int i = 0; i < 64; ++i)
        set.append(i % 4 + 1);
    return set;
}

// Import sources live outside the failing disk.
QString outsideFile(const QString &name, const QByteArray &content)
{
    static QTemporaryDir outside;
    const QString path = outside.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

const std::vector<WriteCase> &writeCases()
{
    static const std::vector<WriteCase> all = {
        {"setData", nullptr, [](StoreOnDisk &s) { s.view().setData("mouse/reportRate", 12); },
         [](StoreOnDisk &s) { s.flush(); }, "modules/setting/p1.bin", "\nreportRate=12\n"},
        {"setDataList", nullptr,
         [](StoreOnDisk &s) { s.view().setDataList("mouse/dpiValueArray", numbers({100, 200, 300, 400, 500, 600, 700, 800})); },
         [](StoreOnDisk &s) { s.flush(); }, "modules/setting/p1.bin",
         "\ndpiValueArray=100, 200, 300, 400, 500, 600, 700, 800\n"},
        {"setGlobalData", nullptr, [](StoreOnDisk &s) { s.view().setGlobalData("mouse/profileNo", 3); },
         [](StoreOnDisk &s) { s.flush(); }, "modules/setting/apConfig.bin", "\nprofileNo=3\n"},
        {"mouseSetKeyMatrix", nullptr, [](StoreOnDisk &s) { s.view().mouseSetKeyMatrix(assignmentSet(), false, {}); },
         [](StoreOnDisk &s) { s.flush(); }, "modules/setting/p1.bin", "[mouseKeyMatrix]\n0=1, 2, 3, 4\n"},
        {"setXYSensitive", nullptr, [](StoreOnDisk &s) { s.view().setXYSensitive(0, 9); },
         [](StoreOnDisk &s) { s.flush(); }, "modules/setting/p1.bin", "[XYSensitive]\n0=9\n"},
        {"updataNameList", nullptr, [](StoreOnDisk &s) { s.view().updataNameList(0, {"Macro_0", "Burst"}); },
         // The pages send the whole list after every change: the next change writes it.
         [](StoreOnDisk &s) { s.view().updataNameList(0, {"Macro_0", "Burst"}); }, "modules/setting/name.bin",
         "macroName=Macro_0, Burst\n"},
        {"mouseSaveGundata", nullptr,
         [](StoreOnDisk &s) { s.view().mouseSaveGundata("M4", {"M4", "L-Click", 9, 0, 8, 0}); },
         [](StoreOnDisk &s) { s.view().getGunData("M4"); }, "modules/gun/gunData.bin", "\nM4=M4, L-Click, 9, 0, 8, 0\n"},
        {"createMacroIni", nullptr, [](StoreOnDisk &s) { QCOMPARE(s.view().createMacroIni("New", 3), QVariant(false)); }, nullptr},
        {"saveMacroIni", [](StoreOnDisk &s) { s.view().createMacroIni("Burst", 1); },
         [](StoreOnDisk &s) { QCOMPARE(s.view().saveMacroIni("Burst", {"1,A", "0,50", "2,A"}, 1), QVariant(false)); },
         [](StoreOnDisk &s) { s.view().loadMacroIni("Burst"); }, "modules/macro/Burst.bin", "\n0=\"1,A\"\n"},
        {"resetProfile", [](StoreOnDisk &s) { s.view().setData("mouse/reportRate", 7); s.flush(); },
         [](StoreOnDisk &s) { s.view().resetProfile(0); }, nullptr, nullptr, nullptr, true},
        {"copyProfile", [](StoreOnDisk &s) { s.view().setData("mouse/reportRate", 7); s.flush(); },
         [](StoreOnDisk &s) { s.view().copyProfile(1, 0); }, nullptr, nullptr, nullptr, true},
        {"resetApconfig", [](StoreOnDisk &s) { s.view().setGlobalData("mouse/profileNo", 2); s.flush(); },
         [](StoreOnDisk &s) { s.view().resetApconfig(); }, nullptr, nullptr, nullptr, true},
        {"loadProfile", nullptr,
         [](StoreOnDisk &s) {
             s.dialogAnswers() << outsideFile("in.pf", "[mouse]\nreportRate=99\n");
             s.view().loadProfile(2);
         }, nullptr, nullptr, nullptr, true},
        {"loadMacroFile", nullptr,
         [](StoreOnDisk &s) {
             s.dialogAnswers() << outsideFile("in.mc", "[config]\ntotal=0\n");
             s.view().loadMacroFile("Imported");
         }, nullptr, nullptr, nullptr, true},
        {"saveProfile", [](StoreOnDisk &s) { QDir().mkpath(s.path("modules/export")); },
         [](StoreOnDisk &s) {
             s.dialogAnswers() << s.path("modules/export/out.pf");
             s.view().saveProfile(0);
         }, nullptr, nullptr, nullptr, true},
    };
    return all;
}

}  // namespace

class TestDataLoss : public QObject
{
    Q_OBJECT

private slots:
    void writesOnAFailingDisk_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("failure");
        for (int i = 0; i < int(writeCases().size()); ++i) {
            QTest::addRow("%s, read-only folder", writeCases()[size_t(i)].name) << i << int(ReadOnly);
            QTest::addRow("%s, full disk", writeCases()[size_t(i)].name) << i << int(Full);
        }
    }
    void writesOnAFailingDisk()
    {
        QFETCH(int, row);
        QFETCH(int, failure);
        const WriteCase &c = writeCases()[size_t(row)];
        SmallDisk disk(2 << 20);
        QTemporaryDir plainFolder;
        StoreOnDisk store(disk.ok() ? disk.path() : plainFolder.path());
        if (c.prepare)
            c.prepare(store);
        const QMap<QString, QByteArray> before = store.files();
        {
            std::unique_ptr<ReadOnlyFolder> readOnly;
            std::unique_ptr<FullDisk> full;
            if (failure == ReadOnly) {
                readOnly = std::make_unique<ReadOnlyFolder>(&disk, store.path("modules"));
                if (!readOnly->ok())
                    QSKIP("cannot make the settings folder read-only here");
            } else {
                full = std::make_unique<FullDisk>(&disk, c.wholeFile ? 0 : 4096);
            }
            c.write(store);
            store.flush();
        }
        const QMap<QString, QByteArray> after = store.files();
        for (auto it = after.cbegin(); it != after.cend(); ++it)
            QVERIFY2(before.value(it.key()) == it.value(), qPrintable(it.key() + QStringLiteral(" changed")));
        QCOMPARE(after.keys(), before.keys());   // no new file, no temporary file left behind

        // The disk works again: what the slot kept reaches it.
        if (c.retry) {
            c.retry(store);
            QVERIFY2(store.read(c.file).contains(c.text), store.read(c.file).constData());
        }
    }

    // KDE's own settings files, several KB long, on a disk that takes 1000 bytes of a file: each stays
    // byte for byte as it was and the slot reports the failure (the buffered write of a save file used to
    // leave 1000 bytes of kdeglobals, its [KDE] group gone, and call the change applied).
    void kdeFilesOnAFullDisk_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("setting");
        QTest::addColumn<QString>("failure");
        QTest::newRow("kdeglobals, double-click time") << "kdeglobals" << 0 << "setDoubleClickSpeed Failed";
        QTest::newRow("kdeglobals, wheel lines") << "kdeglobals" << 1 << "setVerticalScrollLines Failed";
        QTest::newRow("kcminputrc, pointer speed") << "kcminputrc" << 2 << "setCursorSpeed Failed";
    }
    void kdeFilesOnAFullDisk()
    {
        QFETCH(QString, file);
        QFETCH(int, setting);
        QFETCH(QString, failure);
        QTemporaryDir config;
        QByteArray text = "[General]\nColorScheme=Breeze\n\n[KDE]\nDoubleClickInterval=400\nWheelScrollLines=3\n\n"
                          "[Mouse]\nXLbInptPointerAcceleration=0.2\n\n[Icons]\n";
        for (int i = 0; text.size() < 4072; ++i)
            text += "Entry" + QByteArray::number(i) + "=" + QByteArray(40, 'x') + '\n';
        const QString path = config.filePath(file);
        QFile out(path);
        QVERIFY(out.open(QIODevice::WriteOnly) && out.write(text) == text.size());
        out.close();

        QTemporaryDir folder;
        StoreOnDisk store(folder.path());
        setPointerSettings(store.view(), std::make_shared<KdePointerSettings>(config.path()));
        MessageCapture messages;
        {
            FileSizeLimit limit(1000);
            if (setting == 0)
                store.view().mouseSetDoubleClickSpeed(5);
            else if (setting == 1)
                store.view().mouseSetVerticalScrollLines(7);
            else
                store.view().mouseSetCursorSpeed(3);
        }
        QCOMPARE(filesUnder(config.path()), (QMap<QString, QByteArray>{{file, text}}));
        QVERIFY2(messages.contains(failure), qPrintable(messages.messages().join('\n')));
    }

    // Readers of the global file (discovery's device list, the window title) must never write it with
    // the settings library's own writer, which on a full disk would truncate it: the device list gone,
    // no mouse would ever be found again.
    void readersOfTheGlobalFileKeepIt()
    {
        SmallDisk disk(2 << 20);
        QTemporaryDir plainFolder;
        StoreOnDisk store(disk.ok() ? disk.path() : plainFolder.path());
        const QByteArray before = store.read("modules/setting/apConfig.bin");
        {
            FullDisk full(&disk, 4096);
            store.view().setGlobalData("mouse/profileNo", 4);
            Hid_Thread hid;
            discoverDevice(hid);
            QCOMPARE(hid.deviceList.size(), 1);
            QCOMPARE(windowTitleFromSettings(), QStringLiteral("Zephra Gaming Mouse"));
        }
        QCOMPARE(store.read("modules/setting/apConfig.bin"), before);
        store.flush();
        QVERIFY(store.read("modules/setting/apConfig.bin").contains("\nprofileNo=4\n"));
    }

    // What the full disk does to the settings library's own INI writer: its file is not what was written
    // (on this Qt it is replaced by a truncated one). Shows that the disk of these tests really fails
    // the way the store's format guards against.
    void theFullDiskIsReal()
    {
        SmallDisk disk(1 << 20);
        QTemporaryDir plainFolder;
        const QString path = (disk.ok() ? disk.path() : plainFolder.path()) + QStringLiteral("/library.ini");
        {
            QSettings settings(path, QSettings::IniFormat);
            settings.setValue("a", "old");
        }
        {
            FullDisk full(&disk, 4096);
            QSettings settings(path, QSettings::IniFormat);
            settings.setValue("a", QString(512, 'n'));
        }
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(!file.readAll().contains(QByteArray(512, 'n')));
    }

    // An import reads the chosen file while another program (or a pulled stick) takes it away: a copy
    // that is not the whole file as it was when opened never replaces anything.
    void anImportWhoseSourceVanishes_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("read error") << "error";
        QTest::newRow("ends early") << "short";
        QTest::newRow("truncated file") << "truncated";
        QTest::newRow("removed file") << "removed";
    }
    void anImportWhoseSourceVanishes()
    {
        QFETCH(QString, how);
        QTemporaryDir folder;
        const QString target = folder.filePath("p3.bin");
        const QByteArray old = "[mouse]\nreportRate=1\n";
        const QByteArray incoming = "[mouse]\nreportRate=2\n" + QByteArray(300 * 1024, ';') + "\n";
        {
            QFile t(target);
            QVERIFY(t.open(QIODevice::WriteOnly) && t.write(old) == old.size());
        }

        bool copied = false;
        if (how == "error" || how == "short") {
            VanishingSource source(incoming, 100 * 1024, how == "error");
            QVERIFY(source.open(QIODevice::ReadOnly));
            copied = copyOver(source, incoming.size(), target);
        } else {
            const QString sourcePath = folder.filePath("in.pf");
            QFile s(sourcePath);
            QVERIFY(s.open(QIODevice::WriteOnly) && s.write(incoming) == incoming.size());
            s.close();
            // The file goes away after the first piece has been read.
            PullingSource source(sourcePath, how == "removed");
            QVERIFY(source.open(QIODevice::ReadOnly));
            copied = copyOver(source, incoming.size(), target);
        }
        QFile t(target);
        QVERIFY(t.open(QIODevice::ReadOnly));
        const QByteArray now = t.readAll();
        QVERIFY2(now == old || (copied && now == incoming), "the profile is neither the old nor the whole new one");
        QCOMPARE(copied, now == incoming);
        if (how != "removed")
            QVERIFY(!copied);
        QCOMPARE(QDir(folder.path()).entryList({"p3.bin*"}, QDir::Files), QStringList({"p3.bin"}));
    }

    // A program killed right after a save, and while saving: every settings file is whole, the last save
    // it reported is on the disk, and the next start can save again.
    void killedRightAfterASave()
    {
        QTemporaryDir folder;
        {
            StoreOnDisk seed(folder.path());
        }
        const QString saver = QCoreApplication::applicationDirPath() + QStringLiteral("/reliability_saver");
        int lastSaved = 0;
        for (int round = 0; round < 30; ++round) {
            QProcess process;
            process.setProgram(saver);
            process.setArguments({folder.path(), QString::number(lastSaved + 1)});
            process.start();
            QVERIFY(process.waitForStarted());
            // Kill right after the n-th save the saver reports (other rounds: a moment later, mid-save). Several
            // reports may arrive in one read, so the kill can come a save or two later than wanted.
            const int wanted = 1 + round % 4;
            int saved = 0;
            QByteArray output;
            while (saved < wanted && process.waitForReadyRead(10000)) {
                output += process.readAllStandardOutput();
                saved = int(output.count("saved "));
            }
            QVERIFY2(saved >= wanted, output.constData());
            if (round % 3)
                QThread::usleep(ulong(300 * round));
            process.kill();
            process.waitForFinished();
            output += process.readAllStandardOutput();
            const QList<QByteArray> lines = output.trimmed().split('\n');
            lastSaved = lines.last().mid(6).toInt();
            checkWhole(folder.path(), lastSaved);
        }
        // A clean run afterwards: no lock or temporary file of the killed ones stands in its way.
        QProcess process;
        process.start(saver, {folder.path(), QString::number(lastSaved + 1), QStringLiteral("1")});
        QVERIFY(process.waitForFinished(20000));
        QCOMPARE(process.exitCode(), 0);
        QVERIFY(process.readAllStandardOutput().contains("saved " + QByteArray::number(lastSaved + 1)));
        checkWhole(folder.path(), lastSaved + 1);
    }

    // A program killed while the settings library was creating its lock file leaves the lock file empty;
    // the library would then wait 30 seconds before each write to that file counts it as stale. The next
    // start saves at once, and the temporary files of killed saves are gone (a copy of the user's is not).
    void whatAKilledSaveLeftIsRemovedAtStart()
    {
        QTemporaryDir folder;
        {
            StoreOnDisk seed(folder.path());
        }
        for (const char *name : {"setting/p1.bin.lock", "setting/apConfig.bin.lock", "gun/gunData.bin.lock"})
            QVERIFY(QFile(folder.filePath(QStringLiteral("modules/") + QLatin1String(name))).open(QIODevice::WriteOnly));
        for (const char *name : {"setting/p1.bin.Qx7Lm2", "setting/name.bin.a1B2c3", "gun/gunData.bin.ZZ9zz9",
                                 "setting/p1.bin.backup"}) {
            QFile temporary(folder.filePath(QStringLiteral("modules/") + QLatin1String(name)));
            QVERIFY(temporary.open(QIODevice::WriteOnly) && temporary.write("[mouse]\nreportRa") > 0);
        }
        StoreOnDisk store(folder.path());
        QStringList left;
        for (const QString &file : store.files().keys())
            if (file.contains(".bin."))
                left << file;
        QCOMPARE(left, QStringList({"setting/p1.bin.backup"}));
        QElapsedTimer clock;
        clock.start();
        store.view().setData("mouse/reportRate", 12);
        store.view().setGlobalData("mouse/profileNo", 3);
        store.view().mouseSaveGundata("M4", {"M4", "L-Click", 9, 0, 8, 0});
        store.flush();
        QVERIFY2(clock.elapsed() < 5000, qPrintable(QStringLiteral("%1 ms").arg(clock.elapsed())));
        QVERIFY(store.read("modules/setting/p1.bin").contains("\nreportRate=12\n"));
        QVERIFY(store.read("modules/gun/gunData.bin").contains("\nM4="));
    }

private:
    // Every file the saver writes holds all of its keys, and one save's values throughout (read as bytes:
    // another process wrote them).
    static void checkWhole(const QString &root, int lastSaved)
    {
        const ini::Values profile = ini::parse(fileBytes(root + QStringLiteral("/modules/setting/p1.bin")));
        const int count = profile.value("mouse/dpiCount").toInt();
        QVERIFY2(count == lastSaved || count == lastSaved + 1, qPrintable(QString::number(count)));
        const QStringList stages = profile.value("mouse/dpiValueArray").toStringList();
        QCOMPARE(stages, QStringList(8, QString::number(count)));
        QCOMPARE(profile.keys(), shippedKeys("setting/p1.bin"));

        const ini::Values global = ini::parse(fileBytes(root + QStringLiteral("/modules/setting/apConfig.bin")));
        QCOMPARE(global.keys(), shippedKeys("setting/apConfig.bin"));

        const ini::Values names = ini::parse(fileBytes(root + QStringLiteral("/modules/setting/name.bin")));
        const QStringList macros = names.value("macro/macroName").toStringList();
        QCOMPARE(macros.size(), 2);
        const int named = macros.at(1).mid(5).toInt();
        QVERIFY2(named == lastSaved || named == lastSaved + 1, qPrintable(macros.join(',')));
    }

    static QByteArray fileBytes(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    static QStringList shippedKeys(const char *relative)
    {
        return ini::parse(fileBytes(QStringLiteral(ZEPHRA_DATA_DIR "/") + QLatin1String(relative))).keys();
    }

    // A source that delivers the first `cut` bytes of `content` and then fails (or ends), though it
    // claimed the whole size.
    class VanishingSource final : public QIODevice
    {
    public:
        VanishingSource(QByteArray content, qint64 cut, bool fails) : content(std::move(content)), cut(cut), fails(fails) {}
        qint64 size() const override { return content.size(); }
        bool isSequential() const override { return false; }

    protected:
        qint64 readData(char *data, qint64 maxSize) override
        {
            if (pos() >= cut)
                return fails ? -1 : 0;
            const qint64 n = qMin(maxSize, cut - pos());
            memcpy(data, content.constData() + pos(), size_t(n));
            return n;
        }
        qint64 writeData(const char *, qint64) override { return -1; }

    private:
        QByteArray content;
        qint64 cut;
        bool fails;
    };

    // A real file that is cut to nothing (or removed) once its first piece has been read.
    class PullingSource final : public QIODevice
    {
    public:
        PullingSource(const QString &path, bool remove) : file(path), remove(remove) {}
        bool open(OpenMode mode) override { return file.open(mode) && QIODevice::open(mode | QIODevice::Unbuffered); }
        qint64 size() const override { return file.size(); }
        bool isSequential() const override { return false; }

    protected:
        qint64 readData(char *data, qint64 maxSize) override
        {
            const qint64 n = file.read(data, maxSize);
            if (!pulled) {
                pulled = true;
                if (remove)
                    QFile::remove(file.fileName());
                else
                    QFile::resize(file.fileName(), 0);
            }
            return n;
        }
        qint64 writeData(const char *, qint64) override { return -1; }

    private:
        QFile file;
        bool remove;
        bool pulled = false;
    };
};

QTEST_MAIN(TestDataLoss)
#include "tst_data_loss.moc"
