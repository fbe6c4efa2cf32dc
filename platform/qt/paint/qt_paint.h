// The Qt records behind the opaque drawing handles of platform/graphics.h, shared with the Qt
// window backend and the test backend, which reach the pixels of a canvas through them.
#pragma once

#include <QByteArray>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QString>
#include <vector>

#include "platform/graphics.h"

namespace platform {

// Every image of this layer (canvas, pattern, decoded PNG) uses this format, so drawing one on
// another is a plain source-over blend and copying pixels needs no conversion.
inline constexpr QImage::Format paint_format = QImage::Format_ARGB32_Premultiplied;

// The image holds the device pixels and carries the scale as its device pixel ratio, so that a
// QPainter on it takes logical coordinates.
struct Canvas {
    QImage image;
};

inline std::int32_t scale_of(const QImage& image) {
    return static_cast<std::int32_t>(image.devicePixelRatio());
}

// Called with each canvas just before it is deleted: a window that shows a canvas without a copy
// of it takes one then. One hook at a time; null for none.
using CanvasDeletedHook = void (*)(const Canvas& canvas);
void set_canvas_deleted_hook(CanvasDeletedHook hook);

struct Pattern {
    QImage image;
};

// A variant of an image drawn at a whole multiple of its size. It keeps its PNG bytes and is
// decoded only when first drawn on a canvas of its scale: on a screen of ratio 1 the dense
// pictures would otherwise take four times the memory of the ones shown.
struct ImageVariant {
    std::int32_t scale = 0;
    QByteArray png;
    // Carries the scale as device pixel ratio; null until first drawn. A cache of the bytes,
    // filled by drawing, which takes the image as const.
    mutable QImage decoded;
    mutable bool decode_tried = false;
};

// The image at its own size, and its variants by increasing scale.
struct Image {
    QImage image;
    std::vector<ImageVariant> variants;
};

// Holds the canvas's image open for painting from creation to deletion.
struct Graphics {
    Canvas* canvas = nullptr;
    QPainter painter;
};

// The image itself, or its variant for drawing on a canvas of that scale (decoded then if it has
// not been yet; a variant whose bytes turn out not to decode gives the image itself).
const QImage& image_for_scale(const Image& image, std::int32_t scale);

struct FontFamily {
    QString name;
};

struct Font {
    QFont font;
    // The size asked for, which sets the padding around each line of text.
    float size_pixels = 0;
};

struct StringFormat {
    StringAlignment alignment = StringAlignment::near;
    StringWrapping wrapping = StringWrapping::wrap;
};

inline QColor to_qcolor(Argb colour) {
    return QColor::fromRgba(colour);
}

}  // namespace platform
