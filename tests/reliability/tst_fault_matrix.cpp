// SPDX-License-Identifier: GPL-3.0-or-later
// The fault matrix: every device command of both families, the handshake, discovery, the listener start
// and every slot of the view that talks to the device, run once per hidapi call it makes with that call
// failing (open, blocking mode, feature report out and in, output report, input report; as an error, as
// the device unplugged at that step, and for reads as a time-out). Each run happens in a child process of
// its own and must end within its time, return normally, leave the transport free, keep the settings files
// as they were (or as the slot's own store step writes them), keep each profile block in the mouse's memory
// as it was or as the run without the fault leaves it (never bytes the program did not get from the mouse
// or the slot), open no handle it does not close, and let the next command work after the device is found
// again. Reads also fail by arriving short (half a report).
//
// ZEPHRA_FAULT_MATRIX=long adds plain (unscrambled) devices, 64-byte reports and the two ways an open is
// refused by the system (permission, device held by another program).

#include "discovery.h"
#include "fault_subjects.h"
#include "isolated_run.h"

#include <QCryptographicHash>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QSettings>
#include <QTest>

#include <array>
#include <cstdio>

using vmouse::Fault;
using vmouse::Fn;

namespace {

constexpr std::array kFaultedCalls{Fn::Enumerate, Fn::OpenPath, Fn::SetNonblocking, Fn::SendFeature,
                                   Fn::GetFeature, Fn::Write, Fn::Read};
constexpr size_t indexOf(Fn fn)
{
    for (size_t i = 0; i < kFaultedCalls.size(); ++i)
        if (kFaultedCalls[i] == fn)
            return i;
    return kFaultedCalls.size();
}

constexpr int kRunLimitMs = 3000;       // wall-clock time one run may take
constexpr int kChildTimeoutMs = 20000;  // after this a child counts as hung

const char *nameOf(Fn fn)
{
    switch (fn) {
    case Fn::Enumerate: return "enumerate";
    case Fn::OpenPath: return "open";
    case Fn::SetNonblocking: return "set-blocking";
    case Fn::SendFeature: return "feature-out";
    case Fn::GetFeature: return "feature-in";
    case Fn::Write: return "write";
    case Fn::Read: return "read";
    case Fn::Close: return "close";
    }
    return "?";
}

const char *nameOf(Fault fault)
{
    switch (fault) {
    case Fault::Fail: return "fails";
    case Fault::Unplug: return "unplugged";
    case Fault::Timeout: return "times out";
    case Fault::Short: return "short";
    case Fault::Denied: return "denied";
    case Fault::Busy: return "busy";
    }
    return "?";
}

bool longMatrix()
{
    return qgetenv("ZEPHRA_FAULT_MATRIX") == "long";
}

struct Setup
{
    bool encoded;
    int reportLength;
};

struct Point
{
    Fn fn;
    int nth;
    Fault fault;
};

std::vector<Fault> faultsFor(Fn fn)
{
    switch (fn) {
    case Fn::Enumerate: return {Fault::Fail};
    case Fn::Read: return {Fault::Fail, Fault::Timeout, Fault::Unplug, Fault::Short};
    case Fn::OpenPath:
        if (longMatrix())
            return {Fault::Fail, Fault::Unplug, Fault::Denied, Fault::Busy};
        return {Fault::Fail, Fault::Unplug};
    default: return {Fault::Fail, Fault::Unplug};
    }
}

// One hash over every file of the current folder (the fixture's copy of modules/), path and content.
QByteArray filesHash()
{
    QStringList paths;
    QDirIterator it(QStringLiteral("."), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        paths << it.next();
    paths.sort();
    QCryptographicHash hash(QCryptographicHash::Sha1);
    for (const QString &path : std::as_const(paths)) {
        QFile file(path);
        hash.addData(path.toUtf8());
        if (file.open(QIODevice::ReadOnly))
            hash.addData(file.readAll());
    }
    return hash.result().toHex();
}

// One hash per profile block in the mouse's memory.
QList<QByteArray> deviceBlocks(int device)
{
    QList<QByteArray> hashes;
    for (const vmouse::Bytes &block : vmouse::state(device).profileBlocks)
        hashes << QCryptographicHash::hash(QByteArrayView(block.data(), qsizetype(block.size())),
                                           QCryptographicHash::Sha1).toHex();
    return hashes;
}

// The mouse's memory as a 560 mouse has it (every block its own bytes) and the view's copy as the download
// at connect leaves it.
void storeOwnBlocks(BridgeFixture &f)
{
    for (int n = 0; n < 5; ++n) {
        vmouse::Bytes block(128);
        for (int i = 0; i < 128; ++i)
            block[size_t(i)] = uint8_t(0x80 + n * 16 + i);
        vmouse::setProfileBlock(f.device, n, block);
        std::copy(block.begin(), block.end(), f.view().profileBlocks[n]);
    }
}

void flushSettings(myQQuickView &view)
{
    view.globalSettings->sync();
    view.defaultProfileSettings->sync();
    for (QSettings *profile : std::as_const(view.profileSettings))
        profile->sync();
}

// What a run reports back to the parent, one "name value" pair a line.
struct Report
{
    std::array<int, kFaultedCalls.size()> calls{};
    qint64 wallMs = 0;
    qint64 virtualMs = 0;
    bool faultHit = false;
    bool idle = false;
    bool probe = false;
    int handles = -1;
    QByteArray filesBefore;
    QByteArray filesAfter;
    QList<QByteArray> blocksBefore;
    QList<QByteArray> blocksAfter;

    QByteArray text() const
    {
        QByteArray out;
        for (size_t i = 0; i < calls.size(); ++i)
            out += "calls" + QByteArray::number(int(i)) + ' ' + QByteArray::number(calls[i]) + '\n';
        out += "wall " + QByteArray::number(wallMs) + "\nvirtual " + QByteArray::number(virtualMs) + "\nhit " +
               QByteArray::number(faultHit) + "\nidle " + QByteArray::number(idle) + "\nprobe " +
               QByteArray::number(probe) + "\nhandles " + QByteArray::number(handles) + "\nbefore " + filesBefore +
               "\nafter " + filesAfter + "\nblocksBefore " + blocksBefore.join(',') + "\nblocksAfter " +
               blocksAfter.join(',') + "\n";
        return out;
    }

    static std::optional<Report> from(const QByteArray &text)
    {
        Report r;
        int fields = 0;
        for (const QByteArray &line : text.split('\n')) {
            const int space = line.indexOf(' ');
            if (space < 0)
                continue;
            const QByteArray name = line.left(space);
            const QByteArray value = line.mid(space + 1);
            ++fields;
            if (name.startsWith("calls"))
                r.calls[size_t(name.mid(5).toInt())] = value.toInt();
            else if (name == "wall") r.wallMs = value.toLongLong();
            else if (name == "virtual") r.virtualMs = value.toLongLong();
            else if (name == "hit") r.faultHit = value == "1";
            else if (name == "idle") r.idle = value == "1";
            else if (name == "probe") r.probe = value == "1";
            else if (name == "handles") r.handles = value.toInt();
            else if (name == "before") r.filesBefore = value;
            else if (name == "after") r.filesAfter = value;
            else if (name == "blocksBefore") r.blocksBefore = value.split(',');
            else if (name == "blocksAfter") r.blocksAfter = value.split(',');
            else --fields;
        }
        return fields == int(kFaultedCalls.size()) + 10 ? std::optional<Report>(r) : std::nullopt;
    }
};

std::array<int, kFaultedCalls.size()> callCounts()
{
    std::array<int, kFaultedCalls.size()> counts{};
    for (size_t i = 0; i < kFaultedCalls.size(); ++i)
        counts[i] = vmouse::callCount(kFaultedCalls[i]);
    return counts;
}

// The command the matrix checks the device with after each run: it must reach the device.
bool probeWorks(BridgeFixture &f, vmouse::Family family)
{
    if (family == vmouse::Family::F560) {
        f.hid.hid560_02H_SetCurrentProfile(3);
        return f.hid.hidIdle && vmouse::state(f.device).currentProfile == 3;
    }
    f.hid.hid553_0BH_SetCurrentDPI(5);
    return f.hid.hidIdle && vmouse::state(f.device).currentDpiStage == 5;
}

// The body of one run, in the child: the subject with at most one fault, then the checks.
QByteArray runOnce(const Subject &subject, Setup setup, std::optional<Point> point)
{
    // The program's debug messages of a thousand runs would bury the matrix's own findings.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &text) {
        if (type != QtDebugMsg && type != QtInfoMsg)
            std::fprintf(stderr, "%s\n", qPrintable(text));
    });
    BridgeFixture f(subject.family, subject.flags, setup.encoded, setup.reportLength);
    f.write(kMatrixConfig, matrixConfig(setup.encoded, setup.reportLength));
    if (subject.family == vmouse::Family::F560)
        storeOwnBlocks(f);
    Report report;
    report.filesBefore = filesHash();
    report.blocksBefore = deviceBlocks(f.device);

    const auto start = callCounts();
    if (point)
        vmouse::injectFault(point->fn, point->nth, point->fault);
    QElapsedTimer clock;
    clock.start();
    subject.run(f);
    report.wallMs = clock.elapsed();
    report.virtualMs = f.sleeper.total();
    const auto end = callCounts();
    for (size_t i = 0; i < end.size(); ++i)
        report.calls[i] = end[i] - start[i];
    const std::vector<vmouse::Event> log = vmouse::log();
    for (const vmouse::Event &e : log)
        report.faultHit = report.faultHit || e.kind == vmouse::Kind::Fault;
    if (subject.listener && !point) {
        // Only the command part and the job's first open and read come in a fixed order.
        int commandOpens = 0;
        for (const vmouse::Event &e : log)
            if ((e.kind == vmouse::Kind::Open || e.kind == vmouse::Kind::OpenFailed) && e.interfaceNumber == 1)
                ++commandOpens;
        report.calls[indexOf(Fn::OpenPath)] = commandOpens + 1;
        report.calls[indexOf(Fn::SetNonblocking)] = commandOpens + 1;
        report.calls[indexOf(Fn::Read)] = 1;
    }
    report.idle = f.hid.hidIdle;
    report.blocksAfter = deviceBlocks(f.device);
    flushSettings(f.view());
    report.filesAfter = filesHash();

    // The device comes back (if the fault took it away) and is found again.
    vmouse::replug(f.device);
    report.probe = discoverDevice(f.hid, kMatrixConfig) == 0 && probeWorks(f, subject.family);
    report.handles = vmouse::openHandles();
    return report.text();
}

struct Totals
{
    int runs = 0;
    int crashes = 0;
    int hangs = 0;
    int stuck = 0;
    int filesChanged = 0;
    int blocksOverwritten = 0;
    int notReached = 0;
    QStringList failures;
};

QString describe(const Subject &subject, Setup setup, const Point &point)
{
    return QStringLiteral("%1 (%2, %3-byte reports): %4 #%5 %6")
        .arg(subject.name, setup.encoded ? QStringLiteral("encoded") : QStringLiteral("plain"))
        .arg(setup.reportLength)
        .arg(QLatin1String(nameOf(point.fn)))
        .arg(point.nth)
        .arg(QLatin1String(nameOf(point.fault)));
}

void runSubject(const Subject &subject, Setup setup, Totals &totals)
{
    const Isolated reference = runIsolated([&] { return runOnce(subject, setup, std::nullopt); }, kChildTimeoutMs);
    const std::optional<Report> ref = Report::from(reference.report);
    if (reference.status != Isolated::Status::Returned || !ref || !ref->idle || !ref->probe || ref->handles != 0) {
        totals.failures << QStringLiteral("%1: the run without faults fails (status %2, signal %3, exit %4): %5")
                               .arg(subject.name)
                               .arg(int(reference.status))
                               .arg(reference.signal)
                               .arg(reference.exitCode)
                               .arg(QString::fromLatin1(reference.report).replace(QLatin1Char('\n'), QLatin1Char(' ')));
        return;
    }
    for (size_t i = 0; i < kFaultedCalls.size(); ++i) {
        const Fn fn = kFaultedCalls[i];
        for (int nth = 1; nth <= ref->calls[i]; ++nth) {
            for (Fault fault : faultsFor(fn)) {
                const Point point{fn, nth, fault};
                const Isolated run = runIsolated([&] { return runOnce(subject, setup, point); }, kChildTimeoutMs);
                ++totals.runs;
                const QString what = describe(subject, setup, point);
                if (run.status == Isolated::Status::Crashed) {
                    ++totals.crashes;
                    totals.failures << what + QStringLiteral(": crashed (signal %1, exit %2)").arg(run.signal).arg(run.exitCode);
                    continue;
                }
                const std::optional<Report> r = Report::from(run.report);
                if (run.status == Isolated::Status::Hung || !r) {
                    ++totals.hangs;
                    totals.failures << what + QStringLiteral(": did not end");
                    continue;
                }
                if (r->wallMs > kRunLimitMs || r->virtualMs > ref->virtualMs) {
                    ++totals.hangs;
                    totals.failures << what + QStringLiteral(": took %1 ms (%2 ms of pauses, %3 without the fault)")
                                                  .arg(r->wallMs).arg(r->virtualMs).arg(ref->virtualMs);
                }
                if (!r->idle || !r->probe || r->handles != 0) {
                    ++totals.stuck;
                    totals.failures << what + QStringLiteral(": transport idle %1, next command %2, open handles %3")
                                                  .arg(r->idle).arg(r->probe ? "works" : "fails").arg(r->handles);
                }
                if (r->filesAfter != r->filesBefore && r->filesAfter != ref->filesAfter) {
                    ++totals.filesChanged;
                    totals.failures << what + QStringLiteral(": settings files neither as before nor as the slot writes them");
                }
                for (qsizetype n = 0; n < r->blocksAfter.size(); ++n) {
                    const QByteArray &now = r->blocksAfter[n];
                    if (now != r->blocksBefore.value(n) && now != ref->blocksAfter.value(n)) {
                        ++totals.blocksOverwritten;
                        totals.failures << what + QStringLiteral(": profile block %1 in the mouse neither as before "
                                                                 "nor as the slot writes it").arg(n);
                    }
                }
                if (!r->faultHit) {
                    ++totals.notReached;
                    totals.failures << what + QStringLiteral(": the faulted call was never made");
                }
            }
        }
    }
}

}  // namespace

class TestFaultMatrix : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        hid_init();
        // Every run copies the shipped files, and the copies are synced to the disk: in memory they cost
        // nothing.
        if (QFileInfo(QStringLiteral("/dev/shm")).isWritable())
            qputenv("TMPDIR", "/dev/shm");
        // Children are forked: the parent runs no thread of its own (the test library's watchdog aside).
        QCOMPARE(otherThreads().filter(QStringLiteral("Watchdog")), otherThreads());
    }

    // One row per subject and device: the run without faults, then one run per call and fault.
    void everyCallFailing_data()
    {
        QTest::addColumn<int>("subject");
        QTest::addColumn<bool>("encoded");
        QTest::addColumn<int>("reportLength");
        std::vector<Setup> setups{{true, 32}};
        if (longMatrix())
            setups = {{true, 32}, {false, 32}, {true, 64}, {false, 64}};
        for (const Setup &setup : setups) {
            for (int i = 0; i < int(subjects.size()); ++i) {
                QTest::addRow("%s, %s, %d", qPrintable(subjects[size_t(i)].name), setup.encoded ? "encoded" : "plain",
                              setup.reportLength)
                    << i << setup.encoded << setup.reportLength;
            }
        }
    }
    void everyCallFailing()
    {
        QFETCH(int, subject);
        QFETCH(bool, encoded);
        QFETCH(int, reportLength);
        const int failuresBefore = int(totals.failures.size());
        runSubject(subjects[size_t(subject)], {encoded, reportLength}, totals);
        ++subjectRuns;
        const QStringList failures = totals.failures.mid(failuresBefore);
        for (const QString &failure : failures)
            qWarning().noquote() << failure;
        QVERIFY2(failures.isEmpty(), qPrintable(QStringLiteral("%1 failing runs").arg(failures.size())));
    }

    void cleanupTestCase()
    {
        std::printf("reliability: fault_runs %d crashes %d hangs %d stuck_transport %d\n", totals.runs,
                    totals.crashes, totals.hangs, totals.stuck);
        std::printf("reliability: subjects %d settings_files_changed %d device_blocks_overwritten %d "
                    "faults_not_reached %d seconds %.1f\n",
                    subjectRuns, totals.filesChanged, totals.blocksOverwritten, totals.notReached,
                    double(clock.elapsed()) / 1000.0);
        std::fflush(stdout);
    }

private:
    std::vector<Subject> subjects = [] {
        std::vector<Subject> all = commandSubjects();
        for (Subject &s : slotSubjects())
            all.push_back(std::move(s));
        return all;
    }();
    Totals totals;
    int subjectRuns = 0;
    QElapsedTimer clock = [] {
        QElapsedTimer c;
        c.start();
        return c;
    }();
};

QTEST_MAIN(TestFaultMatrix)
#include "tst_fault_matrix.moc"
