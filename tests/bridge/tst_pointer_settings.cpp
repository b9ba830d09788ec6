// SPDX-License-Identifier: GPL-3.0-or-later
// The system pointer settings: the slots' step arithmetic and failure texts against a recording stand-in,
// the choice of the Linux desktop, KDE's files (written in a temporary home, every other line kept, the
// change announced on a private session bus) and GNOME's GSettings (in memory).

// GLib's headers come first: they use names that Qt defines as macros.
#include <gio/gio.h>

#include "bridge_fixture.h"
#include "message_capture.h"
#include "my_quick_view.h"
#include "pointer_settings.h"
#include "pointer_settings_gnome.h"
#include "pointer_settings_kconfig_text.h"
#include "pointer_settings_kde.h"
#include "pointer_settings_linux.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMetaType>
#include <QDBusMessage>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using Result = PointerSettings::Result;

namespace {

struct Call
{
    QString what;
    uint value;
    bool operator==(const Call &) const = default;
};

class RecordingPointerSettings final : public PointerSettings
{
public:
    QString name() const override { return QStringLiteral("the test desktop"); }
    Result setPointerSpeed(uint speed) override { return record(QStringLiteral("speed"), speed); }
    Result setDoubleClickTime(uint ms) override { return record(QStringLiteral("double-click"), ms); }
    Result setWheelScrollLines(uint lines) override { return record(QStringLiteral("lines"), lines); }

    std::vector<Call> calls;
    Result answer = Result::Applied;

private:
    Result record(const QString &what, uint value)
    {
        calls.push_back({what, value});
        return answer;
    }
};

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString &path, const QByteArray &text)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(text);
}

// Signals heard on a bus connection of its own.
class SignalLog : public QObject
{
    Q_OBJECT

public:
    QList<QDBusMessage> heard;

public slots:
    void hear(const QDBusMessage &message) { heard.append(message); }
};

}  // namespace

class TestPointerSettings : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        hid_init();
        // GSettings keeps everything in memory: nothing of this machine's settings changes.
        qputenv("GSETTINGS_BACKEND", "memory");
        originalHome = qgetenv("HOME");
        // A private session bus for the KDE announcements, when this machine can start one.
        const QString daemon = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
        if (!daemon.isEmpty()) {
            bus.start(daemon, {QStringLiteral("--session"), QStringLiteral("--nofork"), QStringLiteral("--print-address")});
            if (bus.waitForStarted() && bus.waitForReadyRead(5000))
                busAddress = QString::fromUtf8(bus.readLine().trimmed());
        }
        if (!busAddress.isEmpty())
            qputenv("DBUS_SESSION_BUS_ADDRESS", busAddress.toUtf8());
        else
            qunsetenv("DBUS_SESSION_BUS_ADDRESS");
    }

    void cleanupTestCase()
    {
        if (bus.state() != QProcess::NotRunning) {
            bus.kill();
            bus.waitForFinished();
        }
        qputenv("HOME", originalHome);
    }

    void init()
    {
        qunsetenv("XDG_CONFIG_HOME");
        qunsetenv("XDG_CURRENT_DESKTOP");
    }

    // Slider steps to pointer speed and double-click time; lines pass unchanged.
    void slotsPassTheStepArithmetic_data()
    {
        QTest::addColumn<QString>("slot");
        QTest::addColumn<uint>("argument");
        QTest::addColumn<QString>("what");
        QTest::addColumn<uint>("value");
        QTest::newRow("speed 0") << "speed" << 0u << "speed" << 1u;
        QTest::newRow("speed 1") << "speed" << 1u << "speed" << 2u;
        QTest::newRow("speed 10") << "speed" << 10u << "speed" << 20u;
        QTest::newRow("speed huge") << "speed" << 0x80000000u << "speed" << 20u;
        QTest::newRow("double-click 0") << "double" << 0u << "double-click" << 900u;
        QTest::newRow("double-click 10") << "double" << 10u << "double-click" << 200u;
        QTest::newRow("double-click 11 clamped") << "double" << 11u << "double-click" << 200u;
        QTest::newRow("double-click 13 clamped") << "double" << 13u << "double-click" << 200u;
        QTest::newRow("lines 3") << "lines" << 3u << "lines" << 3u;
        QTest::newRow("lines one screen") << "lines" << 1000u << "lines" << 1000u;
    }
    void slotsPassTheStepArithmetic()
    {
        QFETCH(QString, slot);
        QFETCH(uint, argument);
        QFETCH(QString, what);
        QFETCH(uint, value);
        BridgeFixture f(vmouse::Family::F553);
        auto fake = std::make_shared<RecordingPointerSettings>();
        setPointerSettings(f.view(), fake);
        MessageCapture messages;
        if (slot == QLatin1String("speed"))
            f.view().mouseSetCursorSpeed(argument);
        else if (slot == QLatin1String("double"))
            f.view().mouseSetDoubleClickSpeed(argument);
        else
            f.view().mouseSetVerticalScrollLines(argument);
        QCOMPARE(fake->calls, (std::vector<Call>{{what, value}}));
        QVERIFY(messages.messages().isEmpty());
    }

    void failureTexts()
    {
        BridgeFixture f(vmouse::Family::F553);
        auto fake = std::make_shared<RecordingPointerSettings>();
        setPointerSettings(f.view(), fake);
        fake->answer = Result::Failed;
        {
            MessageCapture messages;
            f.view().mouseSetCursorSpeed(5);
            f.view().mouseSetDoubleClickSpeed(5);
            f.view().mouseSetVerticalScrollLines(5);
            QCOMPARE(messages.messages(), (QStringList{QStringLiteral("setCursorSpeed Failed"),
                                                       QStringLiteral("setDoubleClickSpeed Failed"),
                                                       QStringLiteral("setVerticalScrollLines Failed")}));
        }
        fake->answer = Result::Unsupported;
        MessageCapture messages;
        f.view().mouseSetVerticalScrollLines(5);
        QCOMPARE(messages.messages(),
                 QStringList{QStringLiteral("Wheel scroll lines left alone: not available on the test desktop")});
        QCOMPARE(fake->calls.size(), size_t(4));
    }

    void desktopChoice_data()
    {
        QTest::addColumn<QString>("xdg");
        QTest::addColumn<int>("desktop");
        QTest::newRow("GNOME") << "GNOME" << int(Desktop::Gnome);
        QTest::newRow("ubuntu:GNOME") << "ubuntu:GNOME" << int(Desktop::Gnome);
        QTest::newRow("KDE") << "KDE" << int(Desktop::Kde);
        QTest::newRow("kde lower case") << "kde" << int(Desktop::Kde);
        QTest::newRow("GNOME-Classic alone") << "GNOME-Classic" << int(Desktop::Other);
        QTest::newRow("XFCE") << "XFCE" << int(Desktop::Other);
        QTest::newRow("empty") << "" << int(Desktop::Other);
    }
    void desktopChoice()
    {
        QFETCH(QString, xdg);
        QFETCH(int, desktop);
        QCOMPARE(int(desktopOf(xdg)), desktop);
    }

    // Without a desktop we know (as on a machine with no desktop at all) each change is left alone with a
    // debug message, and no file is touched.
    void otherDesktopsLeaveEverythingAlone()
    {
        QTemporaryDir home;
        qputenv("HOME", home.path().toUtf8());
        qputenv("XDG_CURRENT_DESKTOP", "XFCE");
        BridgeFixture f(vmouse::Family::F553);
        MessageCapture messages;
        f.view().mouseSetCursorSpeed(3);
        f.view().mouseSetDoubleClickSpeed(3);
        QVERIFY(messages.contains(QStringLiteral("pointer settings: desktop XFCE")));
        QVERIFY(messages.contains(QStringLiteral("Pointer speed left alone: not available on desktop XFCE")));
        QVERIFY(messages.contains(QStringLiteral("Double-click time left alone: not available on desktop XFCE")));
        QCOMPARE(QDir(home.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), QStringList());

        const auto none = pointerSettingsFor(QString(), home.path());
        QCOMPARE(none->name(), QStringLiteral("this session (no desktop named in XDG_CURRENT_DESKTOP)"));
        QCOMPARE(none->setWheelScrollLines(3), Result::Unsupported);
    }

    // KDE: the slots write kdeglobals and kcminputrc in the user's configuration folder and keep every
    // other line.
    void kdeFiles()
    {
        QTemporaryDir home;
        qputenv("HOME", home.path().toUtf8());
        qputenv("XDG_CURRENT_DESKTOP", "KDE");
        const QString config = home.filePath(QStringLiteral(".config"));
        writeFile(config + QStringLiteral("/kdeglobals"),
                  "# the user's\n[General]\nColorScheme=Breeze\n\n[KDE]\nDoubleClickInterval=400\n"
                  "LookAndFeelPackage=org.kde.breeze\n\n[WM]\nactiveFont=Noto Sans\n");
        BridgeFixture f(vmouse::Family::F553);
        MessageCapture messages;
        f.view().mouseSetDoubleClickSpeed(10);
        f.view().mouseSetVerticalScrollLines(3);
        f.view().mouseSetCursorSpeed(7);
        QCOMPARE(readFile(config + QStringLiteral("/kdeglobals")),
                 QByteArray("# the user's\n[General]\nColorScheme=Breeze\n\n[KDE]\nDoubleClickInterval=200\n"
                            "LookAndFeelPackage=org.kde.breeze\nWheelScrollLines=3\n\n[WM]\nactiveFont=Noto Sans\n"));
        QCOMPARE(readFile(config + QStringLiteral("/kcminputrc")), QByteArray("[Mouse]\nXLbInptPointerAcceleration=0.4\n"));
        QVERIFY(messages.contains(QStringLiteral("pointer settings: KDE")));
        QVERIFY(!messages.contains(QStringLiteral("setDoubleClickSpeed Failed")));
    }

    void kdeFileThatCannotBeWritten()
    {
        QTemporaryDir home;
        qputenv("HOME", home.path().toUtf8());
        qputenv("XDG_CURRENT_DESKTOP", "KDE");
        writeFile(home.filePath(QStringLiteral(".config")), "a file where the folder should be");
        BridgeFixture f(vmouse::Family::F553);
        MessageCapture messages;
        f.view().mouseSetDoubleClickSpeed(1);
        QVERIFY(messages.contains(QStringLiteral("setDoubleClickSpeed Failed")));
    }

    void kdeLockedEntryIsNotChanged()
    {
        QTemporaryDir config;
        const QByteArray locked = "[KDE][$i]\nWheelScrollLines=5\n";
        writeFile(config.filePath(QStringLiteral("kdeglobals")), locked);
        KdePointerSettings kde(config.path());
        QCOMPARE(kde.setWheelScrollLines(3), Result::Failed);
        QCOMPARE(readFile(config.filePath(QStringLiteral("kdeglobals"))), locked);
    }

    // Running KDE programs hear of the change: KConfig's notification and the mouse-settings broadcast.
    void kdeAnnouncesChanges()
    {
        if (busAddress.isEmpty())
            QSKIP("no dbus-daemon to start a private session bus");
        QDBusConnection watcher = QDBusConnection::connectToBus(busAddress, QStringLiteral("watcher"));
        QVERIFY(watcher.isConnected());
        qDBusRegisterMetaType<QByteArrayList>();
        qDBusRegisterMetaType<QHash<QString, QByteArrayList>>();
        SignalLog log;
        QVERIFY(watcher.connect(QString(), QStringLiteral("/kdeglobals"), QStringLiteral("org.kde.kconfig.notify"),
                                QStringLiteral("ConfigChanged"), &log, SLOT(hear(QDBusMessage))));
        QVERIFY(watcher.connect(QString(), QStringLiteral("/KGlobalSettings"), QStringLiteral("org.kde.KGlobalSettings"),
                                QStringLiteral("notifyChange"), &log, SLOT(hear(QDBusMessage))));
        QTemporaryDir config;
        KdePointerSettings kde(config.path());
        QCOMPARE(kde.setDoubleClickTime(500), Result::Applied);
        QTRY_COMPARE(log.heard.size(), 2);
        QCOMPARE(log.heard[0].member(), QStringLiteral("ConfigChanged"));
        QCOMPARE(log.heard[0].signature(), QStringLiteral("a{saay}"));
        QHash<QString, QByteArrayList> changed;
        log.heard[0].arguments().at(0).value<QDBusArgument>() >> changed;
        QCOMPARE(changed, (QHash<QString, QByteArrayList>{{QStringLiteral("KDE"), {"DoubleClickInterval"}}}));
        QCOMPARE(log.heard[1].member(), QStringLiteral("notifyChange"));
        QCOMPARE(log.heard[1].arguments(), (QVariantList{3, 0}));
        QDBusConnection::disconnectFromBus(QStringLiteral("watcher"));
    }

    void kconfigText_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("after");   // empty: refused
        // Every row sets [KDE] WheelScrollLines=3.
        QTest::newRow("empty file") << QByteArray() << QByteArray("[KDE]\nWheelScrollLines=3\n");
        QTest::newRow("replaced in place") << QByteArray("[KDE]\nA=1\nWheelScrollLines=10\nB=2\n")
                                           << QByteArray("[KDE]\nA=1\nWheelScrollLines=3\nB=2\n");
        QTest::newRow("spaces around the key") << QByteArray("[KDE]\n  WheelScrollLines = 10\n")
                                               << QByteArray("[KDE]\nWheelScrollLines=3\n");
        QTest::newRow("added at the end of its group") << QByteArray("[KDE]\nA=1\n\n[Other]\nB=2\n")
                                                       << QByteArray("[KDE]\nA=1\nWheelScrollLines=3\n\n[Other]\nB=2\n");
        QTest::newRow("group appended") << QByteArray("[Other]\nWheelScrollLines=9\n")
                                        << QByteArray("[Other]\nWheelScrollLines=9\n\n[KDE]\nWheelScrollLines=3\n");
        QTest::newRow("no final newline") << QByteArray("[KDE]\nA=1") << QByteArray("[KDE]\nA=1\nWheelScrollLines=3\n");
        QTest::newRow("options dropped") << QByteArray("[KDE]\nWheelScrollLines[$e]=$X\n")
                                         << QByteArray("[KDE]\nWheelScrollLines=3\n");
        QTest::newRow("translations kept") << QByteArray("[KDE]\nWheelScrollLines[de]=7\n")
                                           << QByteArray("[KDE]\nWheelScrollLines[de]=7\nWheelScrollLines=3\n");
        QTest::newRow("repeats removed") << QByteArray("[KDE]\nWheelScrollLines=1\n[KDE]\nWheelScrollLines=2\n")
                                         << QByteArray("[KDE]\nWheelScrollLines=3\n[KDE]\n");
        QTest::newRow("comments and nested groups kept")
            << QByteArray("# WheelScrollLines=1\n[KDE][Sub]\nWheelScrollLines=4\n[KDE]\n#WheelScrollLines=2\n")
            << QByteArray("# WheelScrollLines=1\n[KDE][Sub]\nWheelScrollLines=4\n[KDE]\n#WheelScrollLines=2\nWheelScrollLines=3\n");
        QTest::newRow("locked group") << QByteArray("[KDE][$i]\nA=1\n") << QByteArray();
        QTest::newRow("locked entry") << QByteArray("[KDE]\nWheelScrollLines[$i]=1\n") << QByteArray();
    }
    void kconfigText()
    {
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, after);
        const std::optional<QByteArray> edited = kconfig::withEntry(before, "KDE", "WheelScrollLines", "3");
        QCOMPARE(edited.has_value(), !after.isEmpty());
        if (edited)
            QCOMPARE(*edited, after);
    }

    // GNOME: speed on the -1 to 1 scale and the double-click time in GSettings; no wheel lines.
    void gnomeSettings()
    {
        auto gnome = GnomePointerSettings::open();
        if (!gnome)
            QSKIP("the GNOME desktop schemas are not installed here");
        QVERIFY(!GnomePointerSettings::open("org.example.zephra.absent"));

        QTemporaryDir home;
        qputenv("HOME", home.path().toUtf8());
        qputenv("XDG_CURRENT_DESKTOP", "ubuntu:GNOME");
        BridgeFixture f(vmouse::Family::F553);
        MessageCapture messages;
        GSettings *mouse = g_settings_new("org.gnome.desktop.peripherals.mouse");
        f.view().mouseSetCursorSpeed(2);
        QCOMPARE(g_settings_get_double(mouse, "speed"), -0.6);
        f.view().mouseSetCursorSpeed(12);
        QCOMPARE(g_settings_get_double(mouse, "speed"), 1.0);
        f.view().mouseSetDoubleClickSpeed(10);
        QCOMPARE(g_settings_get_int(mouse, "double-click"), 200);
        f.view().mouseSetVerticalScrollLines(3);
        g_object_unref(mouse);
        QCOMPARE(messages.messages(), (QStringList{QStringLiteral("pointer settings: GNOME"),
                                                   QStringLiteral("Wheel scroll lines left alone: not available on GNOME")}));
    }

private:
    QProcess bus;
    QString busAddress;
    QByteArray originalHome;
};

QTEST_MAIN(TestPointerSettings)
#include "tst_pointer_settings.moc"
