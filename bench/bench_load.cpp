// SPDX-License-Identifier: GPL-3.0-or-later
// The reliability load run: 10 000 settings reads and writes through the slots, 1 000 key-matrix uploads
// in a row to the virtual mouse with no pauses; heap and file descriptor growth and the rates.

#include "load_run.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_LOGGING_RULES", "zephra.wire.debug=false");
    QApplication app(argc, argv);
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    const LoadFigures f = runLoad();
    std::printf("bench: load_heap_growth %lld bytes\n", f.heapAfter - f.heapBefore);
    std::printf("bench: load_fd_growth %d descriptors\n", f.descriptorsAfter - f.descriptorsBefore);
    std::printf("bench: load_settings_ops %.0f ops/s\n", f.settingsOps * 1000.0 / double(qMax<qint64>(1, f.settingsMs)));
    std::printf("bench: load_key_matrix_uploads %.0f uploads/s\n", f.uploads * 1000.0 / double(qMax<qint64>(1, f.uploadsMs)));
    return f.uploadsArrived ? 0 : 1;
}
