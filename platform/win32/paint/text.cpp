// Drawing and measuring text in a layout box with GDI+'s own layout: it wraps at word
// boundaries (breaking a word wider than the box), starts a line at each line feed, leaves a
// sixth of the em size free before and after each line, and clips to the box.
#include <algorithm>
#include <climits>
#include <cmath>
#include <memory>

#include "platform/graphics.h"
#include "platform/win32/paint/gdiplus_paint.h"

namespace platform {
namespace {

struct StringFormatDeleter {
    void operator()(Gdiplus::GpStringFormat* format) const { gdip::GdipDeleteStringFormat(format); }
};
using StringFormatHandle = std::unique_ptr<Gdiplus::GpStringFormat, StringFormatDeleter>;

// GDI+'s default format (with its padding) with our alignment and wrapping. No trimming: a line
// that runs past the box is cut by the clip, as a line below it is, rather than shortened.
StringFormatHandle gdiplus_format(const StringFormat* format) {
    const StringFormat chosen = format != nullptr ? *format : StringFormat{};
    Gdiplus::GpStringFormat* made = nullptr;
    const INT flags =
        chosen.wrapping == StringWrapping::none ? Gdiplus::StringFormatFlagsNoWrap : 0;
    if (gdip::GdipCreateStringFormat(flags, LANG_NEUTRAL, &made) != Gdiplus::Ok) {
        return nullptr;
    }
    gdip::GdipSetStringFormatAlign(made, static_cast<Gdiplus::StringAlignment>(chosen.alignment));
    gdip::GdipSetStringFormatTrimming(made, Gdiplus::StringTrimmingNone);
    return StringFormatHandle(made);
}

bool is_usable(RectF box) {
    return std::isfinite(box.x) && std::isfinite(box.y) && std::isfinite(box.width) &&
           std::isfinite(box.height) && box.width > 0 && box.height > 0;
}

const WCHAR* wide(std::u16string_view text) {
    return reinterpret_cast<const WCHAR*>(text.data());
}

INT length(std::u16string_view text) {
    return static_cast<INT>(std::min<std::size_t>(text.size(), INT_MAX));
}

}  // namespace

void draw_string(Graphics* graphics, std::u16string_view text, const Font* font, RectF layout,
                 const StringFormat* format, Argb colour) {
    if (graphics == nullptr || font == nullptr || text.empty() || !is_usable(layout)) {
        return;
    }
    const StringFormatHandle gdiplus = gdiplus_format(format);
    Gdiplus::GpSolidFill* brush = nullptr;
    if (!gdiplus || gdip::GdipCreateSolidFill(colour, &brush) != Gdiplus::Ok) {
        return;
    }
    const Gdiplus::RectF box(layout.x, layout.y, layout.width, layout.height);
    // GDI+ clips to the layout box itself; the clip is set here as well for GDI+
    // implementations that leave a line partly below the box whole.
    Gdiplus::GraphicsState state = 0;
    gdip::GdipSaveGraphics(graphics->graphics, &state);
    gdip::GdipSetClipRect(graphics->graphics, box.X, box.Y, box.Width, box.Height,
                          Gdiplus::CombineModeIntersect);
    gdip::GdipDrawString(graphics->graphics, wide(text), length(text), font->font, &box,
                         gdiplus.get(), brush);
    gdip::GdipRestoreGraphics(graphics->graphics, state);
    gdip::GdipDeleteBrush(brush);
}

RectF measure_string(Graphics* graphics, std::u16string_view text, const Font* font, RectF layout,
                     const StringFormat* format) {
    if (graphics == nullptr || font == nullptr) {
        return {};
    }
    const RectF empty{layout.x, layout.y, 0, 0};
    const StringFormatHandle gdiplus = gdiplus_format(format);
    if (text.empty() || !is_usable(layout) || !gdiplus) {
        return empty;
    }
    const Gdiplus::RectF box(layout.x, layout.y, layout.width, layout.height);
    Gdiplus::RectF bounds;
    if (gdip::GdipMeasureString(graphics->graphics, wide(text), length(text), font->font, &box,
                                gdiplus.get(), &bounds, nullptr, nullptr) != Gdiplus::Ok) {
        return empty;
    }
    // The box the lines fill from the layout box's corner, cut where the box cuts them.
    return {layout.x, layout.y, std::min(bounds.Width, layout.width),
            std::min(bounds.Height, layout.height)};
}

}  // namespace platform
