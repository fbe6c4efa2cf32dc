// Painting on a canvas: rendering modes, images, filled rectangles and lines.
#include <QPen>

#include <algorithm>
#include <cmath>

#include "platform/graphics.h"
#include "platform/qt/paint/qt_paint.h"
#include "platform/straight_line.h"

namespace platform {

Graphics* graphics_create(Canvas* canvas) {
    if (canvas == nullptr) {
        return nullptr;
    }
    auto* graphics = new Graphics{canvas, {}};
    if (!graphics->painter.begin(&canvas->image)) {
        delete graphics;
        return nullptr;
    }
    // Aliased shapes until a smoothing mode asks otherwise; text is always antialiased.
    graphics->painter.setRenderHint(QPainter::Antialiasing, false);
    graphics->painter.setRenderHint(QPainter::TextAntialiasing, true);
    return graphics;
}

void graphics_delete(Graphics* graphics) {
    if (graphics != nullptr) {
        graphics->painter.end();
    }
    delete graphics;
}

void graphics_set_smoothing_mode(Graphics* graphics, SmoothingMode mode) {
    if (graphics == nullptr) {
        return;
    }
    const bool smooth = mode == SmoothingMode::high_quality;
    graphics->painter.setRenderHint(QPainter::Antialiasing, smooth);
    graphics->painter.setRenderHint(QPainter::SmoothPixmapTransform, smooth);
}

// Aliased Qt painting already puts integer coordinates on pixel edges, as no pixel offset does.
void graphics_set_pixel_offset_mode(Graphics* /*graphics*/, PixelOffsetMode /*mode*/) {}

void graphics_set_interpolation_mode(Graphics* graphics, InterpolationMode mode) {
    if (graphics == nullptr) {
        return;
    }
    const bool nearest = mode == InterpolationMode::nearest_neighbor;
    graphics->painter.setRenderHint(QPainter::SmoothPixmapTransform, !nearest);
}

void draw_image(Graphics* graphics, const Image* image, std::int32_t x, std::int32_t y,
                std::int32_t width, std::int32_t height) {
    if (graphics == nullptr || image == nullptr || width <= 0 || height <= 0) {
        return;
    }
    const QImage& picture = image_for_scale(*image, scale_of(graphics->canvas->image));
    graphics->painter.drawImage(QRect(x, y, width, height), picture);
}

void fill_rectangle(Graphics* graphics, Argb colour, std::int32_t x, std::int32_t y,
                    std::int32_t width, std::int32_t height) {
    if (graphics == nullptr || width <= 0 || height <= 0) {
        return;
    }
    graphics->painter.fillRect(QRect(x, y, width, height), to_qcolor(colour));
}

namespace {

// Wide lines end flat at their end points. A hairline instead covers both end pixels, the way
// one-pixel borders are drawn from corner pixel to corner pixel.
QPen line_pen(Argb colour, float width) {
    const bool hairline = width <= 1.0F;
    QPen pen(to_qcolor(colour), hairline ? 1.0 : static_cast<qreal>(width));
    pen.setCapStyle(hairline ? Qt::SquareCap : Qt::FlatCap);
    pen.setJoinStyle(Qt::MiterJoin);
    return pen;
}

}  // namespace

void draw_line(Graphics* graphics, Argb colour, float width, Point from, Point to) {
    if (graphics == nullptr || !(width > 0.0F)) {
        return;
    }
    QPainter& painter = graphics->painter;
    // Scaled up, Qt's aliased rule (pixel centres inside the shape) would put an odd-width line
    // half a logical pixel off the pixels it covers at scale 1: the same pixels are filled
    // instead, so that borders meet what they border at every scale.
    if (scale_of(graphics->canvas->image) > 1 && is_straight(from, to) &&
        !painter.testRenderHint(QPainter::Antialiasing)) {
        const Rect pixels = straight_line_pixels(width, from, to);
        painter.fillRect(
            QRect(pixels.left, pixels.top, pixels.right - pixels.left, pixels.bottom - pixels.top),
            to_qcolor(colour));
        return;
    }
    graphics->painter.setPen(line_pen(colour, width));
    graphics->painter.drawLine(QPoint(from.x, from.y), QPoint(to.x, to.y));
}

}  // namespace platform
