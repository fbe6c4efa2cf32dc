// Small drawing helpers shared by the pictures: canvases, fonts, soft shadows and PNG output.
#include "tools/artwork/drawing_kit.h"

#include <QImageWriter>
#include <algorithm>
#include <cmath>

namespace {

int& scale_setting() {
    static int scale = 1;
    return scale;
}

}  // namespace

void set_drawing_scale(int scale) {
    scale_setting() = std::max(scale, 1);
}

int drawing_scale() {
    return scale_setting();
}

QImage new_canvas(int width, int height) {
    const int scale = drawing_scale();
    QImage canvas(width * scale, height * scale, QImage::Format_ARGB32_Premultiplied);
    canvas.setDevicePixelRatio(scale);
    canvas.fill(Qt::transparent);
    return canvas;
}

void use_smooth_rendering(QPainter& painter) {
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
}

QFont sans_font(int pixel_size, QFont::Weight weight, QFont::Style style) {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(pixel_size);
    font.setWeight(weight);
    font.setStyle(style);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

QColor with_alpha(QColor colour, int alpha) {
    colour.setAlpha(alpha);
    return colour;
}

namespace {

// Signed distance from a point to a rounded rectangle: negative inside, positive outside.
qreal rounded_rect_distance(QPointF point, QRectF shape, qreal radius) {
    const QPointF centre = shape.center();
    const qreal qx = std::abs(point.x() - centre.x()) - shape.width() / 2 + radius;
    const qreal qy = std::abs(point.y() - centre.y()) - shape.height() / 2 + radius;
    const qreal outside = std::hypot(std::max(qx, 0.0), std::max(qy, 0.0));
    const qreal inside = std::min(std::max(qx, qy), 0.0);
    return outside + inside - radius;
}

}  // namespace

QImage rounded_rect_shadow(QSize size, QRectF shape, qreal radius, qreal spread, QColor colour,
                           int peak_alpha) {
    QImage shadow = new_canvas(size.width(), size.height());
    const qreal scale = drawing_scale();
    for (int y = 0; y < shadow.height(); ++y) {
        for (int x = 0; x < shadow.width(); ++x) {
            const qreal distance =
                rounded_rect_distance({(x + 0.5) / scale, (y + 0.5) / scale}, shape, radius);
            if (distance >= spread) {
                continue;
            }
            const qreal closeness = std::clamp(1.0 - distance / spread, 0.0, 1.0);
            // Quadratic fall-off reads as a soft, diffuse shadow.
            const int alpha = static_cast<int>(std::lround(peak_alpha * closeness * closeness));
            shadow.setPixelColor(x, y, with_alpha(colour, alpha));
        }
    }
    return shadow;
}

bool save_png(const QImage& picture, const QString& path) {
    QImageWriter writer(path, "png");
    // Strongest zlib compression (Qt takes 0 to 100): the pictures are embedded in the executable.
    writer.setCompression(100);
    return writer.write(picture.convertToFormat(QImage::Format_ARGB32));
}
