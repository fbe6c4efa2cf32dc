// Qt input events of our windows become queued messages; a layered window paints its picture.
#include "platform/qt/window/native_window.h"

#include <QBitmap>
#include <QCursor>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

#include "platform/common/window_system.h"
#include "platform/message_queue.h"
#include "platform/messages.h"
#include "platform/qt/paint/qt_paint.h"
#include "platform/qt/window/compositing.h"
#include "platform/qt/window/keys.h"
#include "platform/qt/window/qt_backend.h"
#include "platform/qt/window/shape.h"
#include "platform/qt/window/x11_push.h"

namespace platform::qt {
namespace {

constexpr std::uint32_t left_button_held = 0x0001;
constexpr std::uint32_t right_button_held = 0x0002;

std::uint32_t held_buttons(Qt::MouseButtons buttons) {
    std::uint32_t held = 0;
    if (buttons & Qt::LeftButton) {
        held |= left_button_held;
    }
    if (buttons & Qt::RightButton) {
        held |= right_button_held;
    }
    return held;
}

std::uint32_t button_message(QEvent::Type type, Qt::MouseButton button) {
    const bool down = type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick;
    if (button == Qt::LeftButton) {
        return down ? msg::lbutton_down : msg::lbutton_up;
    }
    if (button == Qt::RightButton) {
        return down ? msg::rbutton_down : msg::rbutton_up;
    }
    return 0;
}

}  // namespace

NativeWindow::NativeWindow(WindowHandle window, bool layered, QWidget* owner, Qt::WindowFlags flags)
    : QWidget(owner, flags), window_(window), layered_(layered) {
    set_handle(this, window);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    if (layered) {
        setAttribute(Qt::WA_TranslucentBackground);
        setAttribute(Qt::WA_NoSystemBackground);
        paints_past_qt_ = x11_connection() != nullptr;
        setAttribute(Qt::WA_PaintOnScreen, paints_past_qt_);
    }
}

QPaintEngine* NativeWindow::paintEngine() const {
    return paints_past_qt_ ? nullptr : QWidget::paintEngine();
}

NativeWindow::~NativeWindow() {
    if (internalWinId() != 0) {
        forget_shared_memory_window(internalWinId());
    }
}

void NativeWindow::show_canvas(const Canvas& canvas, const QRect& part) {
    canvas_ = &canvas;
    part_ = part;
    kept_ = QImage();
    if (told_ratio_ == 0) {
        told_ratio_ = pixel_ratio();
    }
}

qreal NativeWindow::pixel_ratio() const {
    const QWindow* handle = windowHandle();
    return handle != nullptr ? handle->devicePixelRatio() : devicePixelRatioF();
}

void NativeWindow::notice_pixel_ratio() {
    const qreal ratio = pixel_ratio();
    if (told_ratio_ != 0 && ratio != told_ratio_) {
        told_ratio_ = ratio;
        post_message(window_, msg::dpi_changed, 0, 0);
    }
}

const QImage& NativeWindow::picture_image() const {
    return canvas_ != nullptr ? canvas_->image : kept_;
}

QRect NativeWindow::picture_part() const {
    if (canvas_ == nullptr) {
        return kept_.rect();
    }
    const int scale = scale_of(canvas_->image);
    return {part_.topLeft() * scale, part_.size() * scale};
}

QImage NativeWindow::picture_for_screen(QRect& part) const {
    const QImage& image = picture_image();
    part = picture_part();
    const QSize device_size = (QSizeF(size()) * pixel_ratio()).toSize();
    if (part.size() == device_size) {
        return image;  // shares the pixels, no copy
    }
    // A whole canvas is scaled as it is; a part of one is cut out first.
    const QImage source = part == image.rect() ? image : image.copy(part);
    QImage scaled = source.scaled(device_size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    scaled.setDevicePixelRatio(1);
    part = scaled.rect();
    return scaled;
}

void NativeWindow::present(Appearance appearance) {
    if (!layered_ || !has_picture()) {
        return;
    }
    if (push_directly(appearance)) {
        if (!paints_past_qt_) {
            // Qt's backing store catches up once its event loop runs again, for a later expose.
            update();
        }
        return;
    }
    if (paints_past_qt_) {
        return;  // not on the screen yet: its exposure will push it
    }
    reshape();
    // Paint now and send it to the display at once: the program may sleep next, and Qt would
    // send it only when its event loop runs again. Nothing here waits for an answer.
    repaint();
    flush_to_display();
}

bool NativeWindow::push_directly(Appearance appearance) {
    const QWindow* handle = windowHandle();
    const bool appearing = appearance == Appearance::appearing;
    if (x11_connection() == nullptr || !has_picture() || handle == nullptr ||
        (!handle->isExposed() && !appearing) || size() != part_.size()) {
        return false;
    }
    QRect part;
    const QImage picture = picture_for_screen(part);
    // Pictures that Qt sent on its own connection must not reach the screen after this newer
    // one: the X server keeps the order of each connection, not between them. A window that
    // appears is on the screen once the server has carried out Qt's request to map it (under a
    // window manager it is mapped later, the picture is lost, and its exposure pushes it again),
    // so its first picture need not wait for Qt's event loop to hear of its exposure.
    if (painted_by_qt_ || appearing) {
        wait_for_display();
        painted_by_qt_ = false;
    }
    const bool composited = compositing_active();
    QImage shape;
    if (!push_through_shared_memory(winId(), picture, part, composited ? nullptr : &shape)) {
        return false;
    }
    apply_shape(composited ? QImage() : std::move(shape));
    return true;
}

void NativeWindow::canvas_going(const Canvas& canvas) {
    if (canvas_ == &canvas) {
        kept_ = canvas.image.copy(picture_part());
        canvas_ = nullptr;
    }
}

void NativeWindow::reshape() {
    if (!layered_ || !has_picture()) {
        return;
    }
    if (compositing_active()) {
        apply_shape(QImage());
        return;
    }
    QRect part;
    const QImage picture = picture_for_screen(part);
    apply_shape(opaque_part(picture, part));
}

void NativeWindow::apply_shape(QImage shape) {
    // Qt takes a mask in logical pixels.
    // FIXME: on a screen of more than one device pixel per pixel the cut follows whole logical
    // pixels; cutting the X window at its device pixels would need the shape set past Qt.
    if (!shape.isNull() && shape.size() != size()) {
        shape = shape.scaled(size(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
    }
    if (shape.isNull()) {
        if (!shape_.isNull()) {
            shape_ = QImage();
            clearMask();
        }
    } else if (!same_bits(shape, shape_)) {
        setMask(QRegion(QBitmap::fromImage(shape)));
        shape_ = std::move(shape);
    }
}

void NativeWindow::follow_mouse() {
    if ((QGuiApplication::mouseButtons() & Qt::LeftButton) == 0) {
        return;
    }
    if (windowHandle() != nullptr && windowHandle()->startSystemMove()) {
        return;
    }
    // No window manager to move us: follow the pointer ourselves until the button is released,
    // keeping under it the point that was pressed (the pointer may have moved since).
    dragging_ = true;
    drag_offset_ = last_press_ - pos();
    move(QCursor::pos() - drag_offset_);
    common::native_window_moved(window_, to_point(pos()));
}

bool NativeWindow::drag_step(QEvent* event) {
    if (!dragging_) {
        return false;
    }
    if (event->type() == QEvent::MouseMove) {
        move(QCursor::pos() - drag_offset_);
        common::native_window_moved(window_, to_point(pos()));
    } else if (event->type() == QEvent::MouseButtonRelease) {
        dragging_ = false;
    }
    return false;  // the program still sees the mouse messages
}

void NativeWindow::post_mouse_event(QEvent* event) {
    auto* mouse = static_cast<QMouseEvent*>(event);
    remember_pointer(mouse->globalPosition().toPoint());
    const Point screen = to_point(mouse->globalPosition().toPoint());
    if (event->type() == QEvent::MouseButtonPress && mouse->button() == Qt::LeftButton) {
        last_press_ = mouse->globalPosition().toPoint();
    }
    if (event->type() == QEvent::MouseMove) {
        common::post_mouse(window_, msg::mouse_move, held_buttons(mouse->buttons()), screen);
        return;
    }
    if (const std::uint32_t message = button_message(event->type(), mouse->button())) {
        common::post_mouse(window_, message, held_buttons(mouse->buttons()), screen);
    }
}

void NativeWindow::post_key_event(QEvent* event) {
    auto* key = static_cast<QKeyEvent*>(event);
    const std::uint32_t virtual_key = virtual_key_of(key->key());
    if (virtual_key == 0 && key->text().isEmpty()) {
        return;
    }
    if (event->type() == QEvent::KeyPress) {
        common::post_key(
            window_, msg::key_down, virtual_key, character_of(key->text()),
            key->isAutoRepeat() ? common::KeyRepeat::repeat : common::KeyRepeat::first);
    } else if (!key->isAutoRepeat()) {
        common::post_key(window_, msg::key_up, virtual_key, 0);
    }
}

bool NativeWindow::event(QEvent* event) {
    switch (event->type()) {
        case QEvent::MouseMove:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
            drag_step(event);
            post_mouse_event(event);
            return true;
        case QEvent::Leave:
            // The window holding the capture still hears of the pointer once it has left; a
            // window being hidden does not (Qt tells it of a leave as it disappears).
            if (isVisible() && common::window_system().capture == window_) {
                remember_pointer(QCursor::pos());
                common::post_mouse(window_, msg::mouse_move, 0, remembered_pointer());
            }
            return true;
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
            post_key_event(event);
            return true;
        case QEvent::Close:
            event->ignore();
            common::native_close_requested(window_);
            return true;
        case QEvent::Move:
            common::native_window_moved(window_, to_point(pos()));
            break;
        case QEvent::ScreenChangeInternal:
            notice_pixel_ratio();
            break;
        default:
            break;
    }
    return QWidget::event(event);
}

void NativeWindow::paintEvent(QPaintEvent*) {
    if (!layered_ || !has_picture()) {
        return;
    }
    if (paints_past_qt_) {
        push_directly(Appearance::shown);
        return;
    }
    painted_by_qt_ = true;
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    const QImage& image = picture_image();
    const QRect part = picture_part();
    if (image.devicePixelRatio() == 1 && pixel_ratio() == 1) {
        painter.drawImage(QPoint(0, 0), image, part);
        return;
    }
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRectF(rect()), image, QRectF(part));
}

}  // namespace platform::qt
