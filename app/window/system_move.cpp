#include "system_move.h"

#include <xcb/xcb.h>
#include <QGuiApplication>
#include <QWindow>

#include <cstdlib>

namespace quabe {

// Qt hands the move to an X window manager with _NET_WM_MOVERESIZE but offers
// no way to withdraw it (nor withdraws it itself), so the cancel goes out here
// on Qt's own connection. Other desktops have no such message to send.
void CancelSystemMove(QWindow* window) {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!window || !x11) return;
    xcb_connection_t* connection = x11->connection();
    constexpr char kName[] = "_NET_WM_MOVERESIZE";
    xcb_intern_atom_reply_t* atom = xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 1, sizeof kName - 1, kName), nullptr);
    if (!atom) return;
    const xcb_atom_t moveResize = atom->atom;
    free(atom);
    if (moveResize == XCB_ATOM_NONE) return;  // no window manager ever offered moves
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = static_cast<xcb_window_t>(window->winId());
    message.type = moveResize;
    message.data.data32[2] = 11;  // _NET_WM_MOVERESIZE_CANCEL
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    xcb_send_event(connection, 0, root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(connection);
}

}  // namespace quabe
