// The window system of the Qt backend: each window record has a Qt widget; input found while
// waiting is posted to the queue.
#include <QApplication>
#include <QCursor>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QWindow>

#include "platform/common/native.h"
#include "platform/common/window_system.h"
#include "platform/message_queue.h"
#include "platform/qt/paint/qt_paint.h"
#include "platform/qt/window/activation.h"
#include "platform/qt/window/controls.h"
#include "platform/qt/window/native_window.h"
#include "platform/qt/window/qt_backend.h"

namespace platform::native {
namespace {

using qt::activate;
using qt::NativeWindow;
using qt::widget_of;

// Whether the window, or the window that owns it (and so on), stays above other programs.
bool owner_chain_topmost(const common::WindowRecord& record) {
    for (const common::WindowRecord* r = &record; r != nullptr;
         r = r->parent != 0 ? common::find_window(r->parent) : nullptr) {
        if ((r->ex_style & ex_style::topmost) != 0) {
            return true;
        }
    }
    return false;
}

bool any_visible_topmost_window() {
    for (const WindowHandle window : thread_windows()) {
        const auto* record = common::find_window(window);
        if (record != nullptr && record->visible && (record->ex_style & ex_style::topmost) != 0) {
            return true;
        }
    }
    return false;
}

// A window owned by an always-on-top window shares its layer, or the window manager could put it
// behind its owner. A dialog without owner (another program was in front when it came) is
// raised to that layer too when one of our windows is always on top: it would be out of sight
// behind it, and the game would look frozen while it waits for the answer.
bool stays_on_top(const common::WindowRecord& record) {
    return owner_chain_topmost(record) ||
           (record.parent == 0 && !common::is_layered(record) && any_visible_topmost_window());
}

Qt::WindowFlags flags_for(const common::WindowRecord& record) {
    // Qt tells X of an owner (transient-for) only for the window types that have one.
    Qt::WindowFlags flags = record.parent != 0 ? Qt::Dialog : Qt::Window;
    if ((record.style & style::caption) == style::caption) {
        // A title bar without a close button.
        flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    } else {
        flags |= Qt::FramelessWindowHint;
    }
    if ((record.ex_style & ex_style::tool_window) != 0) {
        flags |= Qt::Tool;
    }
    if (stays_on_top(record)) {
        flags |= Qt::WindowStaysOnTopHint;
    }
    return flags;
}

QSize size_of(const Rect& rect) {
    return {rect.right - rect.left, rect.bottom - rect.top};
}

void create_top_level(common::WindowRecord& record) {
    QWidget* owner = record.parent != 0 ? widget_of(record.parent) : nullptr;
    const bool layered = common::is_layered(record);
    // Owned windows are not Qt children: disabling an owner must leave them usable, as on the
    // desktop. The window manager keeps them above their owner.
    auto* window = new NativeWindow(record.handle, layered, nullptr, flags_for(record));
    if (owner != nullptr) {
        window->winId();
        owner->winId();
        window->windowHandle()->setTransientParent(owner->windowHandle());
    }
    window->setWindowTitle(QString::fromStdU16String(record.text));
    window->move(record.rect.left, record.rect.top);
    window->resize(size_of(record.rect));
    if (record.background == ClassBackground::button_face) {
        window->setAutoFillBackground(true);
    }
    // An owned layered window (a tooltip) must not take the keyboard from its owner.
    if (layered && owner != nullptr) {
        window->setAttribute(Qt::WA_ShowWithoutActivating);
        window->setWindowFlag(Qt::WindowDoesNotAcceptFocus);
    }
    if (!layered) {
        qt::raise_when_mapped(*window);
    }
    record.native = window;
}

// A window of its own (not owned by another) becomes the active one when it appears, as on the
// desktop; even where no window manager would activate it.
void show_and_activate(const common::WindowRecord& record, QWidget& widget) {
    widget.show();
    if (record.parent == 0) {
        activate(record.handle, widget);
    }
}

// When a window that has the keyboard goes, its owner takes it back, as on the desktop.
void give_activation_to_owner(const common::WindowRecord& record) {
    QWidget* widget = widget_of(record);
    if (widget == nullptr || record.child || record.parent == 0) {
        return;
    }
    const bool active = widget->isActiveWindow() || qt::active_window() == record.handle;
    const auto* owner = common::find_window(record.parent);
    QWidget* owner_widget = widget_of(record.parent);
    if (active && owner != nullptr && owner_widget != nullptr && owner->visible && owner->enabled &&
        !common::is_layered(record)) {
        activate(owner->handle, *owner_widget);
    }
}

}  // namespace

void window_created(common::WindowRecord& record) {
    if (record.control != common::ControlKind::none) {
        record.native = qt::create_control(record, widget_of(record.parent));
    } else {
        create_top_level(record);
    }
}

void window_destroyed(common::WindowRecord& record) {
    give_activation_to_owner(record);
    qt::forget_activation(record.handle);
    delete widget_of(record);
    record.native = nullptr;
}

void window_shown(common::WindowRecord& record, ShowCommand command) {
    QWidget* widget = widget_of(record);
    if (widget == nullptr) {
        return;
    }
    auto* native = dynamic_cast<NativeWindow*>(widget);
    switch (command) {
        case ShowCommand::hide:
            widget->hide();
            break;
        case ShowCommand::show:
            // A layered window appears with its first picture.
            if (native == nullptr || !common::is_layered(record) || native->has_picture()) {
                widget->setWindowState(widget->windowState() & ~Qt::WindowMinimized);
                show_and_activate(record, *widget);
            }
            break;
        case ShowCommand::minimize:
            widget->showMinimized();
            break;
    }
}

void window_enabled(common::WindowRecord& record) {
    if (QWidget* widget = widget_of(record)) {
        widget->setEnabled(record.enabled);
    }
}

void window_moved(common::WindowRecord& record) {
    if (QWidget* widget = widget_of(record)) {
        widget->move(record.rect.left, record.rect.top);
        widget->raise();
    }
}

void window_text_changed(common::WindowRecord& record) {
    qt::set_control_text(record);
}

std::u16string edit_text(const common::WindowRecord& record) {
    return qt::control_text(record);
}

void edit_selection(common::WindowRecord& record, std::int32_t start, std::int32_t end) {
    if (auto* edit = qobject_cast<QLineEdit*>(widget_of(record))) {
        edit->setSelection(start, end - start);
        edit->setCursorPosition(end);
        if (start == end) {
            edit->deselect();
        }
    }
}

void dialog_font(common::WindowRecord& record) {
    if (QWidget* widget = widget_of(record)) {
        widget->setFont(QApplication::font("QMessageBox"));
    }
}

void focus_moved(WindowHandle window) {
    QWidget* widget = widget_of(window);
    if (widget == nullptr) {
        return;
    }
    QWidget* top_level = widget->window();
    if (!top_level->isActiveWindow()) {
        activate(qt::handle_of(top_level), *top_level);
    }
    widget->setFocus(Qt::OtherFocusReason);
}

WindowHandle foreground_window() {
    return qt::active_window();
}

bool set_foreground(common::WindowRecord& record) {
    QWidget* widget = widget_of(record);
    if (widget == nullptr) {
        return false;
    }
    activate(record.handle, *widget);
    return true;
}

void bring_to_top(common::WindowRecord& record) {
    if (QWidget* widget = widget_of(record)) {
        widget->raise();
    }
}

Point cursor_position() {
    return qt::remembered_pointer();
}

Size screen_size() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return {};
    }
    return {screen->geometry().width(), screen->geometry().height()};
}

float pixel_ratio(const common::WindowRecord& record) {
    if (auto* window = dynamic_cast<qt::NativeWindow*>(widget_of(record))) {
        return static_cast<float>(window->pixel_ratio());
    }
    const QWidget* widget = widget_of(record);
    return widget != nullptr ? static_cast<float>(widget->devicePixelRatioF()) : 1.0F;
}

void layered_update(common::WindowRecord& record, const Canvas* canvas, Size size,
                    Point source_origin, BlendFunction) {
    auto* window = dynamic_cast<NativeWindow*>(widget_of(record));
    if (window == nullptr) {
        return;
    }
    window->show_canvas(*canvas, QRect(source_origin.x, source_origin.y, size.cx, size.cy));
    // The window takes the picture's size.
    if (window->size() != QSize(size.cx, size.cy)) {
        window->resize(size.cx, size.cy);
    }
    const bool appearing = record.visible && !record.minimized && !window->isVisible();
    if (appearing) {
        window->reshape();  // cut before it is mapped, when it must be
        show_and_activate(record, *window);
    }
    window->present(appearing ? NativeWindow::Appearance::appearing
                              : NativeWindow::Appearance::shown);
}

void begin_move(common::WindowRecord& record) {
    if (auto* window = dynamic_cast<NativeWindow*>(widget_of(record))) {
        window->follow_mouse();
    }
}

void wait_for_events(std::uint32_t timeout_ms) {
    // One timer that only wakes the wait; it goes with the application object.
    static QPointer<QTimer> wake_up;
    if (wake_up.isNull()) {
        wake_up = new QTimer(qApp);
        wake_up->setSingleShot(true);
        // A coarse timer may wake a little early, and the wait would then start again for the
        // few milliseconds left: two wake-ups a tick instead of one.
        wake_up->setTimerType(Qt::PreciseTimer);
    }
    if (timeout_ms != wait_forever) {
        wake_up->start(static_cast<int>(std::min<std::uint32_t>(timeout_ms, 0x7FFFFFFF)));
    }
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    qt::run_deferred();
}

}  // namespace platform::native
