// SPDX-License-Identifier: GPL-3.0-or-later
// Settings files as other programs and damaged disks leave them: files of the older settings writer,
// garbage, a read-only folder and a full disk.

#include "settings_files.h"
#include "store_fixture.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSettings>
#include <QTest>

#include <csignal>
#include <sys/resource.h>

namespace {

const QString kP1 = QStringLiteral("modules/setting/p1.bin");

// Makes every file write beyond `bytes` fail while it lives, as a full disk does.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &previous);
        const rlimit limit{bytes, previous.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &previous); }

private:
    rlimit previous{};
};

}  // namespace

class TestStoreFaults : public QObject
{
    Q_OBJECT

private slots:
    void readsAndRewritesOlderFiles()
    {
        StoreFixture store({{kP1, fixture("profile_qt4.bin")}});
        myQQuickView &view = store.view();
        QCOMPARE(view.getDataList("mouse/dpiValueArray", false).size(), 8);
        QCOMPARE(view.getDataList("mouse/dpiValueArray", false).at(7), QVariant("8000"));
        QCOMPARE(view.getData("mouse/lightValue", false), QVariant("2"));  // a one-element list: a plain text
        QCOMPARE(view.getDataList("mouse/lightValue", false), QVariantList());
        QCOMPARE(view.getDataList("mouse/colorValue", false), QVariantList());  // an empty list
        QVERIFY(view.getData("mouse/reportRateEn", false).toBool());
        QCOMPARE(view.getData("mouse/note", false), QVariant("a, b; c=d"));
        QCOMPARE(view.getData("mouseMacroKey/3", false), QVariant(QString::fromUtf8("宏_1")));

        // What this version writes, a fresh reader (another path: another cache) reads the same.
        view.setData("mouse/reportRate", 45);
        store.flush();
        store.write("again.bin", store.read(kP1));
        const QSettings again(store.path("again.bin"), QSettings::IniFormat);
        for (const char *key : {"mouse/dpiValueArray", "mouse/lightValue", "mouse/note", "mouseMacroKey/3",
                                   "mouse/reportRateEn", "mouseKeyMatrix/0", "mouse/reportRate"})
            QCOMPARE(again.value(key).toString(), view.getData(key, false).toString());
        QCOMPARE(again.value("mouse/dpiValueArray").toStringList(),
                 view.getData("mouse/dpiValueArray", false).toStringList());
    }

    void damagedFilesKeepWhatIsReadable_data()
    {
        QTest::addColumn<QByteArray>("content");
        const QByteArray good = "[mouse]\nscrollRate=5\n";
        QByteArray noise(64 * 1024, '\0');
        QRandomGenerator random(42);
        random.fillRange(reinterpret_cast<quint32 *>(noise.data()), noise.size() / 4);
        QTest::newRow("binary after") << good + noise;
        QTest::newRow("NUL bytes") << good + QByteArray("\0\0\0=\0\n[\0]\n\0x=1\n", 15);
        QTest::newRow("one endless line") << good + QByteArray(8 << 20, 'x');
        QTest::newRow("huge list") << good + "dpiValueArray=" + QByteArray(4 << 20, ',') + "\n";
        QTest::newRow("open quote") << good + "name=\"abc\n[mouse\nrate=\n=7\n";
        QTest::newRow("truncated") << good + "[mouseKeyMatrix]\n0=0, 0, 24";
    }
    void damagedFilesKeepWhatIsReadable()
    {
        QFETCH(QByteArray, content);
        StoreFixture store({{kP1, content}});
        myQQuickView &view = store.view();
        QCOMPARE(view.getData("mouse/scrollRate", false), QVariant("5"));
        QVERIFY(!view.getData("mouse/absent", false).isValid());
        view.getDataList("mouseKeyMatrix/0", false);
        view.setData("mouse/reportRate", 45);
        store.flush();
        const QByteArray written = store.read(kP1);
        QVERIFY(written.contains("\nscrollRate=5\n"));
        QVERIFY(written.contains("\nreportRate=45\n"));
    }

    void readOnlyFolderKeepsTheOldFiles()
    {
        StoreFixture store;
        myQQuickView &view = store.view();
        view.copyProfile(1, 0);
        const QByteArray p1 = store.read(kP1);
        QSettings *const profile0 = view.profileSettings.at(0);
        ReadOnlyFolder folder(store.path("modules/setting"));
        if (!folder.ok())
            QSKIP("cannot make a folder read-only here");
        view.setData("mouse/reportRate", 12);
        store.flush();
        view.resetProfile(0);
        view.copyProfile(0, 1);
        QCOMPARE(store.read(kP1), p1);
        QCOMPARE(view.profileSettings.at(0), profile0);
        QCOMPARE(view.getData("mouse/reportRate", false), QVariant(12));  // still held in memory
    }

    void fullDiskKeepsTheOldFiles()
    {
        StoreFixture store;
        myQQuickView &view = store.view();
        view.currentProfile = 1;
        view.setData("mouse/reportRate", 12);
        store.flush();
        const QByteArray p1 = store.read(kP1);
        QSettings *const profile0 = view.profileSettings.at(0);
        {
            FileSizeLimit full(64);
            view.copyProfile(0, 1);
            view.resetProfile(0);
        }
        QCOMPARE(store.read(kP1), p1);
        QCOMPARE(view.profileSettings.at(0), profile0);
        QCOMPARE(QDir(store.path("modules/setting")).entryList(QDir::Files).size(), 13);  // no copy left behind
    }

    void aCopyIsNewerThanWhatItReplaced()
    {
        // Settings objects tell files apart by size and time only: a copy must never carry the time of
        // the file it replaced, even when the clock has not moved on (or the old time lies ahead).
        StoreFixture store;
        const QDateTime ahead = QDateTime::currentDateTimeUtc().addSecs(3600);
        QFile p1(store.path(kP1));
        QVERIFY(p1.open(QIODevice::ReadWrite) && p1.setFileTime(ahead, QFileDevice::FileModificationTime));
        p1.close();
        QVERIFY(copyFileOver(store.path("modules/setting/pD.bin"), store.path(kP1)));
        QVERIFY(QFileInfo(store.path(kP1)).lastModified() > ahead);
        QVERIFY(!copyFileOver(store.path("modules/setting/missing.bin"), store.path(kP1)));
        QCOMPARE(store.read(kP1), store.read("modules/setting/pD.bin"));
    }
};

QTEST_MAIN(TestStoreFaults)
#include "tst_store_faults.moc"
