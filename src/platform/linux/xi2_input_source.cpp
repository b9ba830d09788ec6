// SPDX-License-Identifier: GPL-3.0-or-later
// XInput 2 raw events on the root windows, turned into hook data for InputCapture.

#include "xi2_input_source.h"

#include "input_capture.h"
#include "system_input_source.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <xcb/xcb.h>
#include <xcb/xinput.h>

#include <cstdlib>

namespace capture {

namespace {

// The raw events watched, as bits of an XInput event mask.
constexpr uint32_t kRawEventMask = XCB_INPUT_XI_EVENT_MASK_RAW_KEY_PRESS | XCB_INPUT_XI_EVENT_MASK_RAW_KEY_RELEASE
                                   | XCB_INPUT_XI_EVENT_MASK_RAW_BUTTON_PRESS
                                   | XCB_INPUT_XI_EVENT_MASK_RAW_BUTTON_RELEASE;

// XInput 2.1 is the first version that sends raw events to every client that selects them on the root
// window, grab or no grab.
constexpr uint16_t kNeededMinor = 1;

// An event mask for one device selector, as the request carries it (one 4-byte unit, little endian).
struct RawEventSelection
{
    xcb_input_event_mask_t header;
    uint8_t mask[4];
};

RawEventSelection selectionOf(uint32_t bits)
{
    RawEventSelection selection{};
    // Raw events are selected for the master devices: each comes once, whichever physical (or
    // synthetic) device produced it.
    selection.header.deviceid = XCB_INPUT_DEVICE_ALL_MASTER;
    selection.header.mask_len = 1;
    for (int i = 0; i < 4; ++i)
        selection.mask[i] = uint8_t(bits >> (8 * i));
    return selection;
}

}  // namespace

Xi2InputSource::Xi2InputSource(InputCapture &capture)
    : capture(capture)
{
}

Xi2InputSource::~Xi2InputSource()
{
    remove();
}

bool Xi2InputSource::install(QString &reason)
{
    if (watching)
        return true;

    auto *app = qobject_cast<QGuiApplication *>(QCoreApplication::instance());
    if (!app) {
        reason = QStringLiteral("no graphical application is running");
        return false;
    }
    auto *x11 = app->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !x11->connection()) {
        reason = QStringLiteral("the session is not X11 (display platform \"%1\"); Wayland and headless "
                                "sessions give no program the input of other windows")
                     .arg(QGuiApplication::platformName());
        return false;
    }
    connection = x11->connection();

    const xcb_query_extension_reply_t *extension = xcb_get_extension_data(connection, &xcb_input_id);
    if (!extension || !extension->present) {
        reason = QStringLiteral("the X server has no XInput extension");
        return false;
    }
    // A client announces its XInput version once (the application did, at start) and the server may refuse
    // a request that differs from it: ask from the newest version this build knows down to the oldest that
    // will do, and take the first answer.
    xcb_input_xi_query_version_reply_t *version = nullptr;
    for (uint16_t minor = XCB_INPUT_MINOR_VERSION; !version && minor >= kNeededMinor; --minor) {
        xcb_generic_error_t *error = nullptr;  // taken here, so a refusal is not reported as an X error
        version = xcb_input_xi_query_version_reply(connection, xcb_input_xi_query_version(connection, 2, minor),
                                                   &error);
        std::free(error);
    }
    const bool recent = version
                        && (version->major_version > 2
                            || (version->major_version == 2 && version->minor_version >= kNeededMinor));
    const QString versionText = version
                                    ? QStringLiteral("%1.%2").arg(version->major_version).arg(version->minor_version)
                                    : QStringLiteral("older than 2.1");
    std::free(version);
    if (!recent) {
        reason = QStringLiteral("the X server's XInput version is %1, and 2.1 or later is needed").arg(versionText);
        return false;
    }
    xinputOpcode = extension->major_opcode;

    roots.clear();
    for (xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(connection)); it.rem;
         xcb_screen_next(&it))
        roots.push_back(it.data->root);

    app->installNativeEventFilter(this);
    if (!selectRawEvents(true)) {
        app->removeNativeEventFilter(this);
        selectRawEvents(false);
        reason = QStringLiteral("the X server refused to send raw input events");
        return false;
    }
    keyboard = EvdevKeyboard();
    watching = true;
    return true;
}

void Xi2InputSource::remove()
{
    if (!watching)
        return;
    watching = false;
    // Without the application its connection is gone, and with it the selection.
    if (QCoreApplication *app = QCoreApplication::instance()) {
        app->removeNativeEventFilter(this);
        selectRawEvents(false);
    }
}

bool Xi2InputSource::selectRawEvents(bool on)
{
    bool ok = true;
    const RawEventSelection selection = selectionOf(on ? kRawEventMask : 0);
    for (uint32_t root : roots) {
        const xcb_void_cookie_t cookie = xcb_input_xi_select_events_checked(connection, root, 1, &selection.header);
        if (xcb_generic_error_t *error = xcb_request_check(connection, cookie)) {
            std::free(error);
            ok = false;
        }
    }
    return ok;
}

QPoint Xi2InputSource::pointerPosition() const
{
    if (roots.empty())
        return {};
    xcb_query_pointer_reply_t *pointer =
        xcb_query_pointer_reply(connection, xcb_query_pointer(connection, roots.front()), nullptr);
    if (!pointer)
        return {};
    const QPoint position(pointer->root_x, pointer->root_y);
    std::free(pointer);
    return position;
}

bool Xi2InputSource::nativeEventFilter(const QByteArray &eventType, void *message, qintptr *)
{
    if (!watching || eventType != "xcb_generic_event_t" || !message)
        return false;
    const auto *event = static_cast<const xcb_generic_event_t *>(message);
    if ((event->response_type & 0x7F) != XCB_GE_GENERIC)
        return false;
    const auto *generic = static_cast<const xcb_ge_generic_event_t *>(message);
    if (generic->extension != xinputOpcode)
        return false;

    switch (generic->event_type) {
    case XCB_INPUT_RAW_KEY_PRESS:
    case XCB_INPUT_RAW_KEY_RELEASE: {
        const auto *raw = static_cast<const xcb_input_raw_key_press_event_t *>(message);
        if (raw->detail < kXKeycodeOffset)
            break;
        const bool pressed = generic->event_type == XCB_INPUT_RAW_KEY_PRESS;
        if (const std::optional<KeyHookData> hook = keyboard.hookData(int(raw->detail - kXKeycodeOffset), pressed))
            capture.keyboardEvent(*hook);
        break;
    }
    case XCB_INPUT_RAW_BUTTON_PRESS:
    case XCB_INPUT_RAW_BUTTON_RELEASE: {
        const auto *raw = static_cast<const xcb_input_raw_button_press_event_t *>(message);
        const uint32_t buttonMessage =
            mouseMessageForXButton(raw->detail, generic->event_type == XCB_INPUT_RAW_BUTTON_PRESS);
        if (buttonMessage != 0) {
            const QPoint position = pointerPosition();
            capture.mouseEvent(buttonMessage, position.x(), position.y());
        }
        break;
    }
    default:
        break;
    }
    return false;  // watched, never consumed
}

std::unique_ptr<InputSource> createInputSource(InputCapture &capture)
{
    return std::make_unique<Xi2InputSource>(capture);
}

}  // namespace capture
