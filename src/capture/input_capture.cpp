// SPDX-License-Identifier: GPL-3.0-or-later
// InputCapture: tables, key states, callbacks and the platform source.

#include "input_capture.h"

#include "input_source.h"

#include <QDebug>

InputCapture::InputCapture(SourceFactory createSource, QObject *parent)
    : QObject(parent)
{
    keyTables.fill();
    if (createSource)
        source = createSource(*this);
    installHooks();
}

InputCapture::~InputCapture()
{
    removeHooks();
}

bool InputCapture::installHooks()
{
    if (!source)
        return false;
    if (source->installed())
        removeHooks();
    QString reason;
    if (source->install(reason))
        return true;
    if (!unavailableReported) {
        unavailableReported = true;
        qDebug().noquote() << "Input capture unavailable:" << reason
                           << "- macro recording and key entry will receive no keys or clicks of other windows";
    }
    return false;
}

void InputCapture::removeHooks()
{
    if (source)
        source->remove();
    if (windowSource)
        windowSource->remove();
}

bool InputCapture::watchWindowInput(WindowSourceFactory createSource, QObject *window)
{
    if (captureAvailable() || !createSource)
        return false;
    windowSource = createSource(*this, window);
    QString reason;
    if (!windowSource || !windowSource->install(reason))
        return false;
    qDebug().noquote() << "Input capture: keys and clicks of the program's own window only";
    return true;
}

void InputCapture::setKeyboardCallback(KeyboardCallback callback, void *context)
{
    keyboardCallback = callback;
    keyboardContext = context;
}

void InputCapture::setMouseCallback(MouseCallback callback, void *context)
{
    mouseCallback = callback;
    mouseContext = context;
}

void InputCapture::setCopyDataHandler(CopyDataCallback callback, void *context)
{
    copyDataCallback = callback;
    copyDataContext = context;
    if (source)
        source->installCopyDataFilter();
}

bool InputCapture::captureAvailable() const
{
    return source && source->installed();
}

void InputCapture::keyboardEvent(const capture::KeyHookData &hook)
{
    const std::optional<capture::KeyEvent> event = capture::keyboardProcedure(keyTables, keyStates, hook);
    if (event && keyboardCallback)
        keyboardCallback(event->usage, event->pressed, keyboardContext);
}

void InputCapture::mouseEvent(uint32_t message, int x, int y)
{
    const std::optional<capture::ButtonEvent> event = capture::mouseButtonFor(message);
    if (event && mouseCallback)
        mouseCallback(event->button, event->pressed, x, y, mouseContext);
}

bool InputCapture::deliverCopyData(const CopyData &message)
{
    if (!copyDataCallback)
        return false;
    copyDataCallback(&message, copyDataContext);
    return true;
}
