// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The Windows global input source: low-level keyboard and mouse hooks for the whole desktop, and the
// application's filter that hands WM_COPYDATA messages to InputCapture.
//
// The hooks run on the thread that installs them (the GUI thread), through its message loop. They only
// watch: every event goes on to the next hook unchanged. The system knows one pair of hooks per process,
// so the hook handles and the InputCapture they report to are kept once, in input_hooks.cpp.

#include "input_source.h"

#include <QAbstractNativeEventFilter>

#include <memory>

namespace capture {

class WindowsHookSource final : public InputSource
{
public:
    explicit WindowsHookSource(InputCapture &capture);
    ~WindowsHookSource() override;

    bool install(QString &reason) override;
    void remove() override;
    bool installed() const override;
    void installCopyDataFilter() override;

private:
    InputCapture &capture;
    std::unique_ptr<QAbstractNativeEventFilter> copyDataFilter;
};

}  // namespace capture
