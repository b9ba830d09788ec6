// SPDX-License-Identifier: GPL-3.0-or-later
// Load: 10 000 settings reads and writes through the slots and 1 000 key-matrix uploads in a row leave
// the heap within 1 MB of where it started and open no file descriptor for good.

#include "load_run.h"

#include <QTest>

#include <cstdio>

class TestLoad : public QObject
{
    Q_OBJECT

private slots:
    void noLeakUnderLoad()
    {
        const LoadFigures f = runLoad();
        std::printf("reliability: load settings_ops %d in %lld ms, key_matrix_uploads %d in %lld ms, heap_growth_bytes %lld, "
                    "fd_growth %d\n",
                    f.settingsOps, f.settingsMs, f.uploads, f.uploadsMs, f.heapAfter - f.heapBefore,
                    f.descriptorsAfter - f.descriptorsBefore);
        std::fflush(stdout);
        QVERIFY(f.uploadsArrived);
        QVERIFY2(f.heapAfter - f.heapBefore < 1024 * 1024,
                 qPrintable(QStringLiteral("heap grew by %1 bytes").arg(f.heapAfter - f.heapBefore)));
        QCOMPARE(f.descriptorsAfter, f.descriptorsBefore);
    }
};

QTEST_MAIN(TestLoad)
#include "tst_load.moc"
