// SPDX-License-Identifier: GPL-3.0-or-later
#include "scene_graph_choice.h"

#include <QQuickWindow>
#include <QSGRendererInterface>

bool drawInSoftware(const QByteArray &quickBackend, const QByteArray &rhiBackend)
{
    return quickBackend.isEmpty() && rhiBackend.isEmpty();
}

void chooseSceneGraph()
{
    if (!drawInSoftware(qgetenv("QT_QUICK_BACKEND"), qgetenv("QSG_RHI_BACKEND")))
        return;
    QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
    if (!qEnvironmentVariableIsSet("QT_WAYLAND_DISABLE_WINDOWDECORATION"))
        qputenv("QT_WAYLAND_DISABLE_WINDOWDECORATION", "1");
}
