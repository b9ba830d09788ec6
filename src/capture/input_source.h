// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The platform's global input source behind InputCapture: it watches all keyboard and mouse input of the
// desktop, turns each event into hook data and hands it to InputCapture's keyboard and mouse procedures.
// It never holds input back from the programs it was meant for. Each platform folder implements one
// (src/platform/system_input_source.h); the entry point hands InputCapture the platform's.

#include <QString>

class InputCapture;
class QObject;

namespace capture {

class InputSource
{
public:
    virtual ~InputSource() = default;

    // Starts watching. False, with a sentence saying why in reason, when this session offers no global
    // input; nothing is then watched.
    virtual bool install(QString &reason) = 0;

    // Stops watching; harmless when not watching.
    virtual void remove() = 0;

    virtual bool installed() const = 0;

    // Routes copy-data messages that the system delivers to the application's windows to
    // InputCapture::deliverCopyData. Only where the system has such messages; elsewhere another channel
    // calls deliverCopyData.
    virtual void installCopyDataFilter() {}
};

}  // namespace capture
