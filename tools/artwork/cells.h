// The pictures of the board's cells: square bricks in four colours and the yellow ball.
#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QRectF>

namespace brick_colours {
inline const QColor violet{146, 72, 206};
inline const QColor red{218, 44, 40};
inline const QColor green{46, 170, 62};
inline const QColor blue{36, 110, 228};
}  // namespace brick_colours

// A brick with bevelled edges filling the square `box`; its right and bottom edges carry a
// shadow line so that neighbouring bricks read as separate.
void draw_brick(QPainter& painter, QRectF box, QColor base);

// A shaded yellow ball inside the square `box`.
void draw_ball(QPainter& painter, QRectF box);

// 29 x 29 pictures of one cell.
QImage brick_picture(QColor base);
QImage ball_picture();
