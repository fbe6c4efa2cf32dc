// The program's start and end on Qt, and modal message boxes.
#include <QApplication>
#include <QMessageBox>
#include <QWindow>

#include <cstdlib>

#include "platform/common/window_table.h"
#include "platform/message_queue.h"
#include "platform/qt/window/qt_backend.h"
#include "platform/shell.h"
#include "platform/window.h"

namespace platform {
namespace {

// Made by platform_start and deleted by platform_stop, never at the process's exit, when Qt's
// own globals may already be gone.
QApplication*& application() {
    static QApplication* app = nullptr;
    return app;
}

bool display_available() {
    const auto set = [](const char* name) {
        const char* value = std::getenv(name);
        return value != nullptr && *value != '\0';
    };
    return set("QT_QPA_PLATFORM") || set("DISPLAY") || set("WAYLAND_DISPLAY");
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

}  // namespace

bool platform_start() {
    if (application()) {
        return true;
    }
    if (!display_available()) {
        return false;
    }
    static int argc = 1;
    static char name[] = "vormelin";
    static char* argv[] = {name, nullptr};
    application() = new QApplication(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    follow_focus_changes();
    return true;
}

void platform_stop() {
    common::reset_window_system();
    delete application();
    application() = nullptr;
}

std::int32_t message_box(WindowHandle owner, std::u16string_view text, std::u16string_view caption,
                         std::uint32_t) {
    const bool owner_was_enabled = owner != 0 && is_window_enabled(owner);
    const bool owner_had_focus = owner != 0 && focus_window() == owner;
    if (owner_was_enabled) {
        enable_window(owner, false);
    }
    QMessageBox box(QMessageBox::NoIcon, QString::fromStdU16String(std::u16string(caption)),
                    QString::fromStdU16String(std::u16string(text)), QMessageBox::Ok);
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    if (QWidget* owner_widget = qt::widget_of(owner)) {
        box.winId();
        box.windowHandle()->setTransientParent(owner_widget->windowHandle());
    }
    bool answered = false;
    QObject::connect(&box, &QDialog::finished, [&answered] {
        answered = true;
        post_message(0, 0, 0, 0);  // wakes the loop below
    });
    box.show();
    box.raise();
    box.activateWindow();

    // The box's own loop: the program's other windows go on getting their messages.
    run_nested_loop([&answered] { return answered; });
    box.hide();
    if (owner_was_enabled && is_window(owner)) {
        enable_window(owner, true);
        if (owner_had_focus) {
            set_focus(owner);
        }
    }
    return message_box_result_ok;
}

}  // namespace platform
