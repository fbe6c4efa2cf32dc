// Painting on a canvas with GDI+: rendering modes, images, filled rectangles and lines.
#include <algorithm>
#include <cmath>

#include "platform/graphics.h"
#include "platform/straight_line.h"
#include "platform/win32/paint/gdiplus_paint.h"

namespace platform {

Graphics* graphics_create(Canvas* canvas) {
    if (canvas == nullptr) {
        return nullptr;
    }
    Gdiplus::GpGraphics* graphics = nullptr;
    if (gdip::GdipGetImageGraphicsContext(canvas->bitmap, &graphics) != Gdiplus::Ok) {
        return nullptr;
    }
    // Logical coordinates: each logical pixel is scale × scale device pixels.
    const auto scale = static_cast<Gdiplus::REAL>(canvas->scale);
    gdip::GdipScaleWorldTransform(graphics, scale, scale, Gdiplus::MatrixOrderPrepend);
    // Aliased shapes until a smoothing mode asks otherwise. Text is always antialiased, in grey
    // (colour fringes would show on a window with per-pixel alpha), and not fitted to the pixel
    // grid, so that its glyphs advance alike at every scale and a line ends where it does at 1.
    gdip::GdipSetSmoothingMode(graphics, Gdiplus::SmoothingModeNone);
    gdip::GdipSetTextRenderingHint(graphics, Gdiplus::TextRenderingHintAntiAlias);
    return new Graphics{canvas, graphics, false};
}

void graphics_delete(Graphics* graphics) {
    if (graphics != nullptr) {
        gdip::GdipDeleteGraphics(graphics->graphics);
    }
    delete graphics;
}

// The three modes carry GDI+'s own numbers.
void graphics_set_smoothing_mode(Graphics* graphics, SmoothingMode mode) {
    if (graphics == nullptr) {
        return;
    }
    gdip::GdipSetSmoothingMode(graphics->graphics, static_cast<Gdiplus::SmoothingMode>(mode));
    graphics->smooth = mode == SmoothingMode::high_quality;
}

void graphics_set_pixel_offset_mode(Graphics* graphics, PixelOffsetMode mode) {
    if (graphics != nullptr) {
        gdip::GdipSetPixelOffsetMode(graphics->graphics,
                                     static_cast<Gdiplus::PixelOffsetMode>(mode));
    }
}

void graphics_set_interpolation_mode(Graphics* graphics, InterpolationMode mode) {
    if (graphics != nullptr) {
        gdip::GdipSetInterpolationMode(graphics->graphics,
                                       static_cast<Gdiplus::InterpolationMode>(mode));
    }
}

void draw_image(Graphics* graphics, const Image* image, std::int32_t x, std::int32_t y,
                std::int32_t width, std::int32_t height) {
    if (graphics == nullptr || image == nullptr || width <= 0 || height <= 0) {
        return;
    }
    const OwnedPixels& picture = image_for_scale(*image, graphics->canvas->scale);
    gdip::GdipDrawImageRectI(graphics->graphics, picture.bitmap.get(), x, y, width, height);
}

namespace {

// A rectangle of logical pixels in one colour, blended over the canvas.
void fill_logical_rect(Graphics& graphics, Argb colour, Gdiplus::GpRect rect) {
    Gdiplus::GpSolidFill* brush = nullptr;
    if (gdip::GdipCreateSolidFill(colour, &brush) != Gdiplus::Ok) {
        return;
    }
    gdip::GdipFillRectangleI(graphics.graphics, brush, rect.X, rect.Y, rect.Width, rect.Height);
    gdip::GdipDeleteBrush(brush);
}

}  // namespace

void fill_rectangle(Graphics* graphics, Argb colour, std::int32_t x, std::int32_t y,
                    std::int32_t width, std::int32_t height) {
    if (graphics == nullptr || width <= 0 || height <= 0) {
        return;
    }
    fill_logical_rect(*graphics, colour, {x, y, width, height});
}

namespace {}  // namespace

void draw_line(Graphics* graphics, Argb colour, float width, Point from, Point to) {
    if (graphics == nullptr || !(width > 0.0F) || !std::isfinite(width)) {
        return;
    }
    // The borders of the program are straight aliased lines that must meet what they border
    // exactly: they are filled as the pixels they cover, the same at every scale, rather than
    // left to the rasteriser's rounding of a widened path.
    if (!graphics->smooth && is_straight(from, to)) {
        const Rect pixels = straight_line_pixels(width, from, to);
        fill_logical_rect(
            *graphics, colour,
            {pixels.left, pixels.top, pixels.right - pixels.left, pixels.bottom - pixels.top});
        return;
    }
    Gdiplus::GpPen* pen = nullptr;
    if (gdip::GdipCreatePen1(colour, width, Gdiplus::UnitWorld, &pen) != Gdiplus::Ok) {
        return;
    }
    gdip::GdipSetPenLineCap197819(pen, Gdiplus::LineCapFlat, Gdiplus::LineCapFlat,
                                  Gdiplus::DashCapFlat);
    gdip::GdipSetPenLineJoin(pen, Gdiplus::LineJoinMiter);
    gdip::GdipDrawLineI(graphics->graphics, pen, from.x, from.y, to.x, to.y);
    gdip::GdipDeletePen(pen);
}

}  // namespace platform
