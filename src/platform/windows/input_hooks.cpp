// SPDX-License-Identifier: GPL-3.0-or-later
// Low-level keyboard and mouse hooks, and the WM_COPYDATA filter.

#include "input_hooks.h"

#include "input_capture.h"
#include "system_input_source.h"

#include <QByteArray>
#include <QCoreApplication>

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

namespace capture {

namespace {

// The hooks of this process and where they report. Only the GUI thread touches them.
HHOOK keyboardHook = nullptr;
HHOOK mouseHook = nullptr;
InputCapture *hookOwner = nullptr;

LRESULT CALLBACK lowLevelKeyboardProc(int code, WPARAM wParam, LPARAM lParam)
{
    if (hookOwner && lParam) {
        const auto *data = reinterpret_cast<const KBDLLHOOKSTRUCT *>(lParam);
        KeyHookData hook;
        hook.code = code;
        hook.message = uint32_t(wParam);
        hook.scanCode = uint32_t(data->scanCode);
        hook.flags = uint32_t(data->flags);
        hookOwner->keyboardEvent(hook);
    }
    return CallNextHookEx(keyboardHook, code, wParam, lParam);
}

LRESULT CALLBACK lowLevelMouseProc(int code, WPARAM wParam, LPARAM lParam)
{
    if (hookOwner && lParam) {
        const auto *data = reinterpret_cast<const MSLLHOOKSTRUCT *>(lParam);
        hookOwner->mouseEvent(uint32_t(wParam), int(data->pt.x), int(data->pt.y));
    }
    return CallNextHookEx(mouseHook, code, wParam, lParam);
}

// Removes whichever hooks the process holds and forgets where they reported.
void unhookAll()
{
    if (keyboardHook)
        UnhookWindowsHookEx(keyboardHook);
    if (mouseHook)
        UnhookWindowsHookEx(mouseHook);
    keyboardHook = nullptr;
    mouseHook = nullptr;
    hookOwner = nullptr;
}

// Hands every WM_COPYDATA that reaches one of the application's windows to InputCapture. A message is
// answered 1 and goes no further when a copy-data callback takes it, whatever it carries.
class CopyDataFilter final : public QAbstractNativeEventFilter
{
public:
    explicit CopyDataFilter(InputCapture &capture)
        : capture(capture)
    {
    }

    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *result) override
    {
        if (eventType != "windows_generic_MSG" || !message)
            return false;
        const MSG *msg = static_cast<const MSG *>(message);
        if (msg->message != WM_COPYDATA || !msg->lParam)
            return false;
        const auto *sent = reinterpret_cast<const COPYDATASTRUCT *>(msg->lParam);
        CopyData data;
        data.dwData = uintptr_t(sent->dwData);
        data.cbData = uint32_t(sent->cbData);
        data.lpData = sent->lpData;
        if (!capture.deliverCopyData(data))
            return false;
        if (result)
            *result = 1;
        return true;
    }

private:
    InputCapture &capture;
};

}  // namespace

WindowsHookSource::WindowsHookSource(InputCapture &capture)
    : capture(capture)
{
}

WindowsHookSource::~WindowsHookSource()
{
    remove();
    if (copyDataFilter) {
        if (QCoreApplication *app = QCoreApplication::instance())
            app->removeNativeEventFilter(copyDataFilter.get());
    }
}

bool WindowsHookSource::install(QString &reason)
{
    // One pair of hooks per process: a capture that installs takes them over from any earlier one.
    unhookAll();

    // Thread 0: the input of the whole desktop, not only of this program's windows.
    const HINSTANCE module = GetModuleHandleW(nullptr);
    hookOwner = &capture;
    keyboardHook = SetWindowsHookExW(WH_KEYBOARD_LL, lowLevelKeyboardProc, module, 0);
    mouseHook = SetWindowsHookExW(WH_MOUSE_LL, lowLevelMouseProc, module, 0);
    if (keyboardHook && mouseHook)
        return true;

    const DWORD error = GetLastError();
    unhookAll();  // also the one hook that may have been installed
    reason = QStringLiteral("Windows refused the low-level input hooks (error %1)").arg(error);
    return false;
}

void WindowsHookSource::remove()
{
    // The handles are cleared with the hooks, so a second removal never unhooks a reused handle.
    if (hookOwner == &capture)
        unhookAll();
}

bool WindowsHookSource::installed() const
{
    return hookOwner == &capture && keyboardHook && mouseHook;
}

void WindowsHookSource::installCopyDataFilter()
{
    QCoreApplication *app = QCoreApplication::instance();
    if (copyDataFilter || !app)
        return;
    copyDataFilter = std::make_unique<CopyDataFilter>(capture);
    app->installNativeEventFilter(copyDataFilter.get());
}

std::unique_ptr<InputSource> createInputSource(InputCapture &capture)
{
    return std::make_unique<WindowsHookSource>(capture);
}

std::unique_ptr<InputSource> createWindowInputSource(InputCapture &, QObject *)
{
    return nullptr;  // the low-level hooks see all input of the desktop
}

}  // namespace capture
