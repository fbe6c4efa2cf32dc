// The notification-area icon on Qt.
#include <QSystemTrayIcon>

#include <map>
#include <memory>
#include <utility>

#include "platform/message_queue.h"
#include "platform/messages.h"
#include "platform/qt/window/resource_icon.h"
#include "platform/shell.h"

namespace platform {
namespace {

using IconKey = std::pair<WindowHandle, std::uint32_t>;

std::map<IconKey, std::unique_ptr<QSystemTrayIcon>>& icons() {
    static std::map<IconKey, std::unique_ptr<QSystemTrayIcon>> shown;
    return shown;
}

std::int32_t mouse_message_of(QSystemTrayIcon::ActivationReason reason) {
    switch (reason) {
        case QSystemTrayIcon::Trigger:
            return static_cast<std::int32_t>(msg::lbutton_down);
        case QSystemTrayIcon::Context:
            return static_cast<std::int32_t>(msg::rbutton_down);
        case QSystemTrayIcon::DoubleClick:
            return static_cast<std::int32_t>(msg::lbutton_down + 2);  // double click
        case QSystemTrayIcon::MiddleClick:
            return static_cast<std::int32_t>(msg::rbutton_up + 3);  // middle button down
        case QSystemTrayIcon::Unknown:
            break;
    }
    return 0;
}

}  // namespace

bool tray_available() {
    return QSystemTrayIcon::isSystemTrayAvailable();
}

bool tray_icon_add(const TrayIcon& icon) {
    if (!tray_available()) {
        return false;
    }
    auto tray = std::make_unique<QSystemTrayIcon>(qt::resource_icon(icon.icon_resource));
    tray->setToolTip(QString::fromStdU16String(icon.tip));
    const WindowHandle window = icon.window;
    const std::uint32_t id = icon.id;
    const std::uint32_t message = icon.callback_message;
    QObject::connect(tray.get(), &QSystemTrayIcon::activated,
                     [window, id, message](QSystemTrayIcon::ActivationReason reason) {
                         if (const std::int32_t mouse = mouse_message_of(reason)) {
                             post_message(window, message, id, mouse);
                         }
                     });
    tray->show();
    icons()[{window, id}] = std::move(tray);
    return true;
}

bool tray_icon_delete(WindowHandle window, std::uint32_t id) {
    return icons().erase({window, id}) > 0;
}

}  // namespace platform
