// SPDX-License-Identifier: GPL-3.0-or-later
// The program's own window as the input source, for sessions without global input.

#include "window_input_source.h"

#include "input_capture.h"
#include "system_input_source.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace capture {

uint32_t xButtonForQtButton(int qtButton)
{
    switch (qtButton) {
    case Qt::LeftButton: return 1;
    case Qt::MiddleButton: return 2;
    case Qt::RightButton: return 3;
    default: return 0;
    }
}

WindowInputSource::WindowInputSource(InputCapture &capture, QObject *window)
    : capture(capture)
    , window(window)
{
}

WindowInputSource::~WindowInputSource()
{
    remove();
}

bool WindowInputSource::install(QString &reason)
{
    if (!window) {
        reason = QStringLiteral("the program has no window");
        return false;
    }
    if (!watching) {
        window->installEventFilter(this);
        keyboard = EvdevKeyboard();
        watching = true;
    }
    return true;
}

void WindowInputSource::remove()
{
    if (watching && window)
        window->removeEventFilter(this);
    watching = false;
}

bool WindowInputSource::eventFilter(QObject *, QEvent *event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
        const auto *key = static_cast<const QKeyEvent *>(event);
        const quint32 native = key->nativeScanCode();
        if (key->isAutoRepeat() || native < kXKeycodeOffset)
            break;
        if (const std::optional<KeyHookData> hook =
                keyboard.hookData(int(native - kXKeycodeOffset), event->type() == QEvent::KeyPress))
            capture.keyboardEvent(*hook);
        break;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseButtonRelease: {
        const auto *mouse = static_cast<const QMouseEvent *>(event);
        const uint32_t message = mouseMessageForXButton(xButtonForQtButton(mouse->button()),
                                                        event->type() != QEvent::MouseButtonRelease);
        if (message != 0) {
            const QPoint at = mouse->globalPosition().toPoint();
            capture.mouseEvent(message, at.x(), at.y());
        }
        break;
    }
    default:
        break;
    }
    return false;  // seen, never consumed: the window handles its input as usual
}

std::unique_ptr<InputSource> createWindowInputSource(InputCapture &capture, QObject *window)
{
    return std::make_unique<WindowInputSource>(capture, window);
}

}  // namespace capture
