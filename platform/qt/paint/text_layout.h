// Lays text out in a box the way draw_string draws it and measure_string measures it.
#pragma once

#include <QRectF>
#include <QTextLayout>
#include <memory>
#include <string_view>

#include "platform/graphics.h"

class QPaintDevice;

namespace platform {

struct TextLayout {
    // Lines positioned in canvas coordinates, ready for QTextLayout::draw at (0, 0).
    std::unique_ptr<QTextLayout> layout;
    // The box the lines fill, padding included; its origin is the layout box's.
    QRectF bounds;
};

// Wraps at word boundaries (breaking a word wider than the box) unless the format says not to,
// starts a new line at each line feed, aligns each line and keeps only the lines that start
// inside the box.
TextLayout lay_out_text(std::u16string_view text, const Font& font, RectF box,
                        const StringFormat& format, QPaintDevice* device);

}  // namespace platform
