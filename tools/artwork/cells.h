// The pictures of the board's cells: square bricks in four colours, each with an emblem of its
// own, and the yellow ball.
#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QRectF>
#include <array>

// The shape in the middle of a brick. Each colour has its own, so that players who cannot tell
// the colours apart (colour-blind players, a greyscale screen) tell the bricks apart by shape.
enum class Emblem { diamond, circle, triangle, square };

struct BrickLook {
    QColor base;
    Emblem emblem;
    QColor emblem_colour;
};

// The bricks "B1" to "B4", in that order: violet, red, green, blue. Their lightness differs as
// well as their hue (violet darkest, then red, blue and green), so that the colours stay apart
// where the hues are confused; each emblem is a tint that stands out from its brick.
inline const std::array<BrickLook, 4> brick_looks{{
    {QColor(106, 44, 168), Emblem::diamond, QColor(222, 196, 250)},
    {QColor(226, 54, 44), Emblem::circle, QColor(255, 206, 196)},
    {QColor(86, 196, 92), Emblem::triangle, QColor(24, 104, 38)},
    {QColor(56, 134, 236), Emblem::square, QColor(14, 50, 128)},
}};

// A brick with bevelled edges filling the square `box`; its right and bottom edges carry a
// shadow line so that neighbouring bricks read as separate. The first has no emblem (for
// pictures too small to show one), the second its emblem in the middle of its face.
void draw_brick(QPainter& painter, QRectF box, QColor base);
void draw_brick(QPainter& painter, QRectF box, const BrickLook& look);

// A shaded yellow ball inside the square `box`.
void draw_ball(QPainter& painter, QRectF box);

// 29 x 29 pictures of one cell.
QImage brick_picture(const BrickLook& look);
QImage ball_picture();
