// The Qt widget behind a top-level window of a registered class: it turns Qt's input events into
// queued messages and shows the picture of a layered window.
#pragma once

#include <QImage>
#include <QPoint>
#include <QWidget>

#include "platform/types.h"

namespace platform {
struct Canvas;
}

namespace platform::qt {

class NativeWindow : public QWidget {
public:
    NativeWindow(WindowHandle window, bool layered, QWidget* owner, Qt::WindowFlags flags);
    ~NativeWindow() override;

    // The picture of a layered window: a part of the canvas (in logical pixels), shown as it is,
    // alpha included, and painted from the canvas itself (no copy per push) for as long as the
    // canvas lives. A canvas whose scale is not the screen's pixel ratio is scaled smoothly to
    // the window's device pixels. Without a compositing manager the window is cut to the
    // picture's opaque part instead (see reshape).
    void show_canvas(const Canvas& canvas, const QRect& part);
    // Shows the picture now, and sends it to the display without waiting for an answer.
    // `appearing`: the window has just been asked to show itself with this picture.
    enum class Appearance : std::uint8_t { shown, appearing };
    void present(Appearance appearance);
    // The canvas is about to be deleted: the window keeps a copy of its part to paint from.
    void canvas_going(const Canvas& canvas);
    // Cuts a layered window to the pixels of its picture that are at least half opaque when no
    // compositing manager blends it with the desktop; shows it whole when one does.
    void reshape();
    bool has_picture() const { return canvas_ != nullptr || !kept_.isNull(); }
    // Device pixels per logical pixel of the screen the window is on.
    qreal pixel_ratio() const;
    // Moves the window with the mouse while the left button stays down.
    void follow_mouse();

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    // None for a window whose pictures all go past Qt (see paints_past_qt_).
    QPaintEngine* paintEngine() const override;

private:
    // The picture sent past Qt's backing store, where the window is shown on X at its size.
    bool push_directly(Appearance appearance);
    // The picture's device pixels in the image that holds them (the canvas, or the copy kept).
    const QImage& picture_image() const;
    QRect picture_part() const;
    // The picture at the window's device size: the part itself when the canvas's scale is the
    // window's ratio, else a smooth rescale of it.
    QImage picture_for_screen(QRect& part) const;
    // A posted msg::dpi_changed when the window's ratio is no longer the one last told.
    void notice_pixel_ratio();
    // Cuts the window to the one-bit shape, or shows it whole for a null one.
    void apply_shape(QImage shape);
    void post_mouse_event(QEvent* event);
    void post_key_event(QEvent* event);
    bool drag_step(QEvent* event);

    WindowHandle window_;
    bool layered_;
    // The picture: the part of a live canvas, or a copy kept once that canvas went.
    const Canvas* canvas_ = nullptr;
    QRect part_;
    QImage kept_;
    QImage shape_;  // the one-bit mask the window is cut to; null when it is not cut
    // A layered window on X gets every picture, exposures included, past Qt: Qt then keeps no
    // backing store for it (a second picture of the window's size, in memory shared with the X
    // server) and paints nothing after a push.
    bool paints_past_qt_ = false;
    bool painted_by_qt_ = false;  // Qt painted the window since its last picture went past it
    qreal told_ratio_ = 0;        // the ratio the program was last told of; 0 before the first look
    bool dragging_ = false;
    QPoint drag_offset_;
    QPoint last_press_;  // screen position of the last left press
};

}  // namespace platform::qt
