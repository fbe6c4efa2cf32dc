// A compositing manager on X owns the selection _NET_WM_CM_S<screen>; the X server tells us
// (XFixes) whenever that selection changes hands.
#include "platform/qt/window/compositing.h"

#include <QAbstractNativeEventFilter>
#include <QByteArray>
#include <QGuiApplication>

#include <xcb/xcb.h>
#include <xcb/xfixes.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "platform/qt/window/qt_backend.h"

namespace platform::qt {
namespace {

struct CompositingState {
    const QObject* application = nullptr;  // the application object the state was learnt under
    bool active = true;
    xcb_connection_t* connection = nullptr;
    xcb_atom_t selection = XCB_NONE;
    std::uint8_t selection_notify = 0;  // the event type of XFixes' selection notices
    std::function<void(bool)> changed;
};

CompositingState& state() {
    static CompositingState compositing;
    return compositing;
}

// The screen the program shows on: the one DISPLAY names (":0.1" is screen 1).
int default_screen_number() {
    int screen = 0;
    char* host = nullptr;
    int display = 0;
    if (xcb_parse_display(nullptr, &host, &display, &screen) == 0) {
        screen = 0;
    }
    std::free(host);
    return screen;
}

xcb_window_t root_window(xcb_connection_t* connection, int screen_number) {
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (int i = 0; screens.rem > 0; ++i, xcb_screen_next(&screens)) {
        if (i == screen_number) {
            return screens.data->root;
        }
    }
    return XCB_NONE;
}

xcb_atom_t intern_atom(xcb_connection_t* connection, const std::string& name) {
    const auto cookie =
        xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(name.size()), name.c_str());
    std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
        xcb_intern_atom_reply(connection, cookie, nullptr), &std::free);
    return reply ? reply->atom : XCB_NONE;
}

bool selection_owned(xcb_connection_t* connection, xcb_atom_t selection) {
    std::unique_ptr<xcb_get_selection_owner_reply_t, decltype(&std::free)> reply(
        xcb_get_selection_owner_reply(connection, xcb_get_selection_owner(connection, selection),
                                      nullptr),
        &std::free);
    return reply && reply->owner != XCB_NONE;
}

// Asks the X server to tell us of every change of the selection's owner. False without XFixes.
bool follow_selection(CompositingState& compositing, xcb_window_t root) {
    const xcb_query_extension_reply_t* xfixes =
        xcb_get_extension_data(compositing.connection, &xcb_xfixes_id);
    if (xfixes == nullptr || xfixes->present == 0) {
        return false;
    }
    std::free(xcb_xfixes_query_version_reply(
        compositing.connection, xcb_xfixes_query_version(compositing.connection, 5, 0), nullptr));
    compositing.selection_notify =
        static_cast<std::uint8_t>(xfixes->first_event + XCB_XFIXES_SELECTION_NOTIFY);
    xcb_xfixes_select_selection_input(compositing.connection, root, compositing.selection,
                                      XCB_XFIXES_SELECTION_EVENT_MASK_SET_SELECTION_OWNER |
                                          XCB_XFIXES_SELECTION_EVENT_MASK_SELECTION_WINDOW_DESTROY |
                                          XCB_XFIXES_SELECTION_EVENT_MASK_SELECTION_CLIENT_CLOSE);
    xcb_flush(compositing.connection);
    return true;
}

class SelectionWatcher : public QAbstractNativeEventFilter {
public:
    bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override {
        CompositingState& compositing = state();
        if (type != "xcb_generic_event_t" || compositing.selection_notify == 0) {
            return false;
        }
        const auto* event = static_cast<const xcb_generic_event_t*>(message);
        if ((event->response_type & 0x7F) != compositing.selection_notify) {
            return false;
        }
        const auto* notice = static_cast<const xcb_xfixes_selection_notify_event_t*>(message);
        if (notice->selection == compositing.selection) {
            const bool active = notice->owner != XCB_NONE;
            if (active != compositing.active) {
                compositing.active = active;
                if (compositing.changed) {
                    compositing.changed(active);
                }
            }
        }
        return false;  // Qt follows the same selection for its own reasons
    }
};

void learn_state() {
    CompositingState& compositing = state();
    if (compositing.application == qGuiApp) {
        return;
    }
    compositing = CompositingState{};
    compositing.application = qGuiApp;
    compositing.connection = static_cast<xcb_connection_t*>(x11_connection());
    if (compositing.connection == nullptr) {
        return;  // not X: the desktop composites, or there is no screen at all
    }
    const int screen = default_screen_number();
    compositing.selection =
        intern_atom(compositing.connection, "_NET_WM_CM_S" + std::to_string(screen));
    compositing.active = selection_owned(compositing.connection, compositing.selection);
    if (follow_selection(compositing, root_window(compositing.connection, screen))) {
        // One filter for the life of the process; an application object made later gets it too.
        static SelectionWatcher watcher;
        qGuiApp->installNativeEventFilter(&watcher);
    }
}

}  // namespace

bool compositing_active() {
    learn_state();
    return state().active;
}

void watch_compositing(std::function<void(bool active)> changed) {
    learn_state();
    state().changed = std::move(changed);
}

}  // namespace platform::qt
