#include "tests/e2e/xdndfinish.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <xcb/xcb.h>

namespace {

constexpr char FinishedName[] = "XdndFinished";
// XDND version 5: bit 0 of the second data word tells whether the target accepted the drop.
constexpr std::uint32_t AcceptedFlag = 1;

} // namespace

XdndFinishWatcher::XdndFinishWatcher()
{
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (x11 != nullptr) {
        xcb_connection_t* connection = x11->connection();
        const xcb_intern_atom_cookie_t cookie = xcb_intern_atom(
            connection, 0, static_cast<std::uint16_t>(std::strlen(FinishedName)), FinishedName);
        std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
            xcb_intern_atom_reply(connection, cookie, nullptr), &std::free);
        if (reply)
            finishedAtom_ = reply->atom;
    }
    QCoreApplication::instance()->installNativeEventFilter(this);
}

XdndFinishWatcher::~XdndFinishWatcher()
{
    QCoreApplication::instance()->removeNativeEventFilter(this);
}

bool XdndFinishWatcher::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*)
{
    if (finishedAtom_ == 0 || eventType != "xcb_generic_event_t")
        return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7f) != XCB_CLIENT_MESSAGE)
        return false;
    const auto* client = static_cast<const xcb_client_message_event_t*>(message);
    if (client->type == finishedAtom_)
        emit Finished((client->data.data32[1] & AcceptedFlag) != 0);
    // Qt still needs the message to end its own side of the drag.
    return false;
}
