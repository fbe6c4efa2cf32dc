// The Qt widget behind a top-level window of a registered class: it turns Qt's input events into
// queued messages and shows the picture of a layered window.
#pragma once

#include <QImage>
#include <QPoint>
#include <QWidget>

#include "platform/types.h"

namespace platform::qt {

class NativeWindow : public QWidget {
public:
    NativeWindow(WindowHandle window, bool layered, QWidget* owner, Qt::WindowFlags flags);

    // The picture of a layered window; shown as it is, alpha included. Without a compositing
    // manager the window is cut to the picture's opaque part instead (see reshape).
    void set_picture(const QImage& picture);
    // Cuts a layered window to the pixels of its picture that are at least half opaque when no
    // compositing manager blends it with the desktop; shows it whole when one does.
    void reshape();
    bool has_picture() const { return !picture_.isNull(); }
    // Moves the window with the mouse while the left button stays down.
    void follow_mouse();

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void post_mouse_event(QEvent* event);
    void post_key_event(QEvent* event);
    bool drag_step(QEvent* event);

    WindowHandle window_;
    bool layered_;
    QImage picture_;
    QImage shape_;  // the one-bit mask the window is cut to; null when it is not cut
    bool dragging_ = false;
    QPoint drag_offset_;
    QPoint last_press_;  // screen position of the last left press
};

}  // namespace platform::qt
