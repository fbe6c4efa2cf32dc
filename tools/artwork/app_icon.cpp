// The notification-area icon: a small square of cells that still reads at 16 pixels.
#include "tools/artwork/tray_icon.h"

#include <QPainter>

#include "tools/artwork/cells.h"
#include "tools/artwork/drawing_kit.h"

QImage tray_icon_picture() {
    constexpr int size = 32;
    constexpr qreal half = size / 2.0;
    QImage icon = new_canvas(size, size);
    QPainter painter(&icon);
    draw_brick(painter, QRectF(0, 0, half, half), brick_colours::red);
    draw_brick(painter, QRectF(half, 0, half, half), brick_colours::green);
    draw_brick(painter, QRectF(0, half, half, half), brick_colours::blue);
    draw_ball(painter, QRectF(half, half, half, half));
    return icon;
}
