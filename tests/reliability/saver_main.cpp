// SPDX-License-Identifier: GPL-3.0-or-later
// reliability_saver <folder> <first> [once]: the store of the program saving over and over in <folder>
// (which holds modules/): a profile value and list, a global value and a name list, all synced; after each
// complete save it prints "saved <n>". With "once" it stops after the first save. The data-loss test kills
// it at chosen moments.

#include "my_quick_view.h"

#include <QApplication>
#include <QDir>
#include <QSettings>

#include <cstdio>

int main(int argc, char **argv)
{
    if (argc < 3)
        return 2;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (!QDir::setCurrent(QString::fromLocal8Bit(argv[1])))
        return 2;
    const int first = std::atoi(argv[2]);
    const bool once = argc > 3;

    myQQuickView view;
    for (int n = first;; ++n) {
        view.setData(QStringLiteral("mouse/dpiCount"), n);
        view.setDataList(QStringLiteral("mouse/dpiValueArray"), QVariantList(8, n));
        view.setGlobalData(QStringLiteral("mouse/profileNo"), n % 5);
        view.updataNameList(0, {QStringLiteral("Macro_0"), QStringLiteral("Name_%1").arg(n)});
        view.globalSettings->sync();
        view.profileSettings.at(0)->sync();
        std::printf("saved %d\n", n);
        std::fflush(stdout);
        if (once)
            return 0;
    }
}
