// Drawing and measuring text in a layout box.
#include "platform/graphics.h"
#include "platform/qt/paint/gui_application.h"
#include "platform/qt/paint/qt_paint.h"
#include "platform/qt/paint/text_layout.h"

namespace platform {

namespace {

StringFormat format_or_default(const StringFormat* format) {
    return format != nullptr ? *format : StringFormat{};
}

}  // namespace

void draw_string(Graphics* graphics, std::u16string_view text, const Font* font, RectF layout,
                 const StringFormat* format, Argb colour) {
    if (graphics == nullptr || font == nullptr) {
        return;
    }
    qt::ensure_gui_application();
    QPainter& painter = graphics->painter;
    const TextLayout text_layout =
        lay_out_text(text, *font, layout, format_or_default(format), painter.device());
    painter.save();
    painter.setClipRect(QRectF(layout.x, layout.y, layout.width, layout.height), Qt::IntersectClip);
    painter.setPen(to_qcolor(colour));
    text_layout.layout->draw(&painter, QPointF(0, 0));
    painter.restore();
}

RectF measure_string(Graphics* graphics, std::u16string_view text, const Font* font, RectF layout,
                     const StringFormat* format) {
    if (graphics == nullptr || font == nullptr) {
        return {};
    }
    qt::ensure_gui_application();
    const TextLayout text_layout =
        lay_out_text(text, *font, layout, format_or_default(format), graphics->painter.device());
    const QRectF& bounds = text_layout.bounds;
    return {static_cast<float>(bounds.x()), static_cast<float>(bounds.y()),
            static_cast<float>(bounds.width()), static_cast<float>(bounds.height())};
}

}  // namespace platform
