// Window records and their Qt widgets; work deferred past Qt's event delivery.
#include "platform/qt/window/qt_backend.h"

#include <QCursor>
#include <QGuiApplication>
#include <QVariant>

#include <xcb/xcb.h>

#include <cstdlib>
#include <optional>

#include <vector>

namespace platform::qt {
namespace {

constexpr const char* handle_property = "vormelin_window";

std::vector<std::function<void()>>& deferred_work() {
    static std::vector<std::function<void()>> work;
    return work;
}

}  // namespace

QWidget* widget_of(const common::WindowRecord& record) {
    return static_cast<QWidget*>(record.native);
}

QWidget* widget_of(WindowHandle window) {
    const auto* record = common::find_window(window);
    return record ? widget_of(*record) : nullptr;
}

WindowHandle handle_of(const QObject* widget) {
    for (const QObject* object = widget; object != nullptr; object = object->parent()) {
        const QVariant value = object->property(handle_property);
        if (value.isValid()) {
            const auto window = value.value<WindowHandle>();
            return common::find_window(window) != nullptr ? window : 0;
        }
        if (object->isWidgetType() && static_cast<const QWidget*>(object)->isWindow()) {
            return 0;
        }
    }
    return 0;
}

void set_handle(QWidget* widget, WindowHandle window) {
    widget->setProperty(handle_property, QVariant::fromValue(window));
}

void defer(std::function<void()> work) {
    deferred_work().push_back(std::move(work));
}

void run_deferred() {
    // Work may defer more work; take the list first.
    auto work = std::move(deferred_work());
    deferred_work().clear();
    for (auto& item : work) {
        item();
    }
}

Point to_point(const QPoint& point) {
    return {point.x(), point.y()};
}

namespace {

std::optional<QPoint>& pointer() {
    static std::optional<QPoint> position;
    return position;
}

}  // namespace

void* x11_connection() {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 != nullptr && QGuiApplication::platformName() == QLatin1String("xcb")
               ? x11->connection()
               : nullptr;
}

void flush_to_display() {
    if (auto* connection = static_cast<xcb_connection_t*>(x11_connection())) {
        xcb_flush(connection);
    }
}

void wait_for_display() {
    if (auto* connection = static_cast<xcb_connection_t*>(x11_connection())) {
        std::free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
    }
}

void remember_pointer(const QPoint& screen_position) {
    pointer() = screen_position;
}

Point remembered_pointer() {
    if (!pointer()) {
        pointer() = QCursor::pos();  // once, before any window has heard of the pointer
    }
    return to_point(*pointer());
}

}  // namespace platform::qt
