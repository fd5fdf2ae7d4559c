#include "app/qt/CloseOverBoxes.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QWidget>
#include <cstdlib>
#include <cstring>
#include <xcb/xcb.h>

#include "base/Lifetime.h"

namespace {

xcb_atom_t atomNamed(xcb_connection_t* connection, const char* name)
{
    const xcb_intern_atom_cookie_t cookie
        = xcb_intern_atom(connection, 1, static_cast<std::uint16_t>(std::strlen(name)), name);
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookie, nullptr);
    const xcb_atom_t atom = reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
    std::free(reply);
    return atom;
}

}  // namespace

CloseOverBoxes::CloseOverBoxes(const QWidget& window, Lifetime& lifetime) : m_window(window), m_lifetime(lifetime)
{
    // X11 asks a window to close with a WM_PROTOCOLS message that names
    // WM_DELETE_WINDOW; the window manager's close box sends it.
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || !x11->connection())
        return;
    m_protocols = atomNamed(x11->connection(), "WM_PROTOCOLS");
    m_deleteWindow = atomNamed(x11->connection(), "WM_DELETE_WINDOW");
    if (m_protocols == XCB_ATOM_NONE || m_deleteWindow == XCB_ATOM_NONE)
        return;
    QCoreApplication::instance()->installNativeEventFilter(this);
    m_installed = true;
}

CloseOverBoxes::~CloseOverBoxes()
{
    if (m_installed && QCoreApplication::instance())
        QCoreApplication::instance()->removeNativeEventFilter(this);
}

bool CloseOverBoxes::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*)
{
    if (eventType != "xcb_generic_event_t")
        return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7f) != XCB_CLIENT_MESSAGE)
        return false;
    const auto* request = static_cast<const xcb_client_message_event_t*>(message);
    if (request->format != 32 || request->type != m_protocols || request->data.data32[0] != m_deleteWindow
        || request->window != static_cast<xcb_window_t>(m_window.winId()))
        return false;
    // Without a box the window's own close ends the program.
    if (!QGuiApplication::modalWindow())
        return false;
    m_lifetime.end();
    return true;
}
