// The game's icon: a square of four cells (three bricks without their emblems, which would be
// specks at 16 pixels, and a ball) that still reads at 16 pixels.
#include "tools/artwork/app_icon.h"

#include <QPainter>

#include "tools/artwork/cells.h"
#include "tools/artwork/drawing_kit.h"

QImage app_icon_picture(int size) {
    // Every size is even, so the four quarters meet on a whole pixel.
    const qreal half = size / 2;
    QImage icon = new_canvas(size, size);
    QPainter painter(&icon);
    draw_brick(painter, QRectF(0, 0, half, half), brick_looks[1].base);
    draw_brick(painter, QRectF(half, 0, half, half), brick_looks[2].base);
    draw_brick(painter, QRectF(0, half, half, half), brick_looks[3].base);
    draw_ball(painter, QRectF(half, half, half, half));
    return icon;
}
