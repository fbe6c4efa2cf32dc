// Labels, edit fields and push buttons of dialogs. Enter, Escape and Tab pressed in them are
// queued as key messages, so that the dialog's own loop decides what they do.
#include "platform/qt/window/controls.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "platform/common/window_system.h"
#include "platform/message_queue.h"
#include "platform/messages.h"
#include "platform/qt/window/keys.h"
#include "platform/qt/window/qt_backend.h"

namespace platform::qt {
namespace {

class DialogKeys : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease) {
            return false;
        }
        auto* key = static_cast<QKeyEvent*>(event);
        const std::uint32_t virtual_key = virtual_key_of(key->key());
        if (virtual_key != vk::enter && virtual_key != vk::escape && virtual_key != vk::tab) {
            return false;
        }
        const std::uint32_t message =
            event->type() == QEvent::KeyPress ? msg::key_down : msg::key_up;
        common::post_key(handle_of(watched), message, virtual_key,
                         message == msg::key_down ? character_of(key->text()) : 0);
        return true;
    }
};

DialogKeys* dialog_keys() {
    static auto* filter = new DialogKeys();
    return filter;
}

QWidget* make_widget(const common::WindowRecord& record, QWidget* parent) {
    const QString text = QString::fromStdU16String(record.text);
    switch (record.control) {
        case common::ControlKind::static_text:
            return new QLabel(text, parent);
        case common::ControlKind::edit:
            return new QLineEdit(text, parent);
        case common::ControlKind::button: {
            auto* button = new QPushButton(text, parent);
            button->setDefault((record.style & style::button_default_push) != 0);
            const WindowHandle window = record.handle;
            const WindowHandle owner = record.parent;
            const auto id = static_cast<std::uint32_t>(record.control_id) & 0xFFFFu;
            QObject::connect(button, &QPushButton::clicked, [window, owner, id] {
                post_message(owner, msg::command, id, static_cast<std::int32_t>(window));
            });
            return button;
        }
        case common::ControlKind::none:
            break;
    }
    return nullptr;
}

}  // namespace

QWidget* create_control(const common::WindowRecord& record, QWidget* parent) {
    QWidget* widget = make_widget(record, parent);
    if (widget == nullptr) {
        return nullptr;
    }
    set_handle(widget, record.handle);
    widget->setGeometry(record.rect.left, record.rect.top, record.rect.right - record.rect.left,
                        record.rect.bottom - record.rect.top);
    widget->installEventFilter(dialog_keys());
    widget->setVisible((record.style & style::visible) != 0);
    return widget;
}

void set_control_text(const common::WindowRecord& record) {
    QWidget* widget = widget_of(record);
    const QString text = QString::fromStdU16String(record.text);
    if (auto* label = qobject_cast<QLabel*>(widget)) {
        label->setText(text);
    } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        edit->setText(text);
    } else if (auto* button = qobject_cast<QPushButton*>(widget)) {
        button->setText(text);
    } else if (widget != nullptr) {
        widget->setWindowTitle(text);
    }
}

std::u16string control_text(const common::WindowRecord& record) {
    if (auto* edit = qobject_cast<QLineEdit*>(widget_of(record))) {
        return edit->text().toStdU16String();
    }
    return record.text;
}

}  // namespace platform::qt
