// The program's start and end on Qt: the application object, and a display that cannot be
// opened told in one line instead of the toolkit's abort.
#include <QApplication>
#include <QIcon>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/common/window_table.h"
#include "platform/qt/paint/qt_paint.h"
#include "platform/qt/window/activation.h"
#include "platform/qt/window/compositing.h"
#include "platform/qt/window/native_window.h"
#include "platform/qt/window/qt_backend.h"
#include "platform/qt/window/resource_icon.h"
#include "platform/qt/window/x11_push.h"
#include "platform/shell.h"

namespace platform {
namespace {

// Made by platform_start and deleted by platform_stop, never at the process's exit, when Qt's
// own globals may already be gone.
QApplication*& application() {
    static QApplication* app = nullptr;
    return app;
}

bool display_named() {
    const auto set = [](const char* name) {
        const char* value = std::getenv(name);
        return value != nullptr && *value != '\0';
    };
    return set("QT_QPA_PLATFORM") || set("DISPLAY") || set("WAYLAND_DISPLAY");
}

struct HeldMessage {
    QtMsgType type;
    QString text;
};

// What Qt says while the application object is made: passed on afterwards if it could be made.
std::vector<HeldMessage>& held_messages() {
    static std::vector<HeldMessage> messages;
    return messages;
}

// Qt ends the process with an abort when no platform plugin can start (a dead display, a
// Wayland socket without its plugin, an unknown platform): say why in one line and end as when
// no display is named at all.
void hold_start_message(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type != QtFatalMsg) {
        held_messages().push_back({type, text});
        return;
    }
    const QString& reason = held_messages().empty() ? text : held_messages().front().text;
    std::fprintf(stderr, "vormelin: no display to show the game on (%s)\n",
                 reason.simplified().toLocal8Bit().constData());
    std::fflush(stderr);
    std::_Exit(1);
}

void pass_on_held_messages(QtMessageHandler handler) {
    for (const HeldMessage& message : held_messages()) {
        handler(message.type, QMessageLogContext(), message.text);
    }
    held_messages().clear();
}

// The platform plugin and the input method are loaded with the application object; the game needs
// no other plugin. The only pictures it reads are PNG, which Qt reads itself, but reading one
// would load every image-format plugin there is (GIF, ICO, JPEG...) to ask each whether it
// reads PNG: three libraries the game never uses, in its memory for its whole life.
void no_more_plugins() {
    QCoreApplication::setLibraryPaths({});
}

// The keyboard focus as the window system sees it, told to the program once Qt is done.
void follow_focus_changes() {
    QObject::connect(qApp, &QApplication::focusChanged, [](QWidget*, QWidget* now) {
        if (now == nullptr) {
            qt::defer([] { common::native_focus_changed(0); });
            return;
        }
        // Focus inside a window that is not ours (a message box) leaves the books alone.
        if (const WindowHandle window = qt::handle_of(now)) {
            qt::defer([window] { common::native_focus_changed(window); });
        }
    });
}

// A window paints from the canvas it shows; when that canvas goes, the window keeps a copy.
void keep_pictures_of_deleted_canvases() {
    set_canvas_deleted_hook([](const Canvas& canvas) {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* window = dynamic_cast<qt::NativeWindow*>(widget)) {
                window->canvas_going(canvas);
            }
        }
    });
}

// A compositing manager that starts or stops changes how our alpha windows must be shown.
void follow_compositing() {
    qt::watch_compositing([](bool) {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* window = dynamic_cast<qt::NativeWindow*>(widget)) {
                window->reshape();
                window->update();
            }
        }
    });
}

// The desktop entry's name lets window lists and task bars match our windows to the entry (on X,
// Qt names it in the windows' properties); the icon picture goes to every window (_NET_WM_ICON).
void tell_identity(const ProgramIdentity& identity) {
    if (!identity.desktop_id.empty()) {
        QGuiApplication::setDesktopFileName(QString::fromStdString(identity.desktop_id));
    }
    if (identity.icon_resource.empty()) {
        return;
    }
    const QIcon icon = qt::resource_icon(identity.icon_resource);
    if (!icon.isNull()) {
        QApplication::setWindowIcon(icon);
    }
}

}  // namespace

bool platform_start(const ProgramIdentity& identity) {
    if (application()) {
        return true;
    }
    if (!display_named()) {
        return false;
    }
    static int argc = 1;
    static char name[] = "vormelin";
    static char* argv[] = {name, nullptr};
    const QtMessageHandler previous = qInstallMessageHandler(hold_start_message);
    application() = new QApplication(argc, argv);
    qInstallMessageHandler(previous);
    pass_on_held_messages(previous);
    QApplication::setQuitOnLastWindowClosed(false);
    tell_identity(identity);
    no_more_plugins();
    follow_focus_changes();
    qt::follow_activation();
    follow_compositing();
    keep_pictures_of_deleted_canvases();
    if (qt::x11_connection() != nullptr) {
        qt::prepare_shared_memory_pushes();
    }
    return true;
}

void platform_stop() {
    set_canvas_deleted_hook(nullptr);
    common::reset_window_system();
    qt::close_shared_memory_pushes();
    delete application();
    application() = nullptr;
}

}  // namespace platform
