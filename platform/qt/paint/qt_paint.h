// The Qt records behind the opaque drawing handles of platform/graphics.h, shared with the Qt
// window backend and the test backend, which reach the pixels of a canvas through them.
#pragma once

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QString>

#include "platform/graphics.h"

namespace platform {

// Every image of this layer (canvas, pattern, decoded PNG) uses this format, so drawing one on
// another is a plain source-over blend and copying pixels needs no conversion.
inline constexpr QImage::Format paint_format = QImage::Format_ARGB32_Premultiplied;

struct Canvas {
    QImage image;
};

// Called with each canvas just before it is deleted: a window that shows a canvas without a copy
// of it takes one then. One hook at a time; null for none.
using CanvasDeletedHook = void (*)(const Canvas& canvas);
void set_canvas_deleted_hook(CanvasDeletedHook hook);

struct Pattern {
    QImage image;
};

struct Image {
    QImage image;
};

// Holds the canvas's image open for painting from creation to deletion.
struct Graphics {
    Canvas* canvas = nullptr;
    QPainter painter;
};

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
