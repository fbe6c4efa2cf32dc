// Drawing: an off-screen ARGB canvas, a Graphics bound to it, PNG images, solid fills, lines,
// the background pattern and text laid out in a box.
//
// Every object is created and deleted by its owner. Every function accepts null handles and
// then does nothing (or returns an empty value), so a failed creation simply draws nothing.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "platform/types.h"

namespace platform {

// Pixels with per-pixel alpha, transparent when created.
//
// Sizes and coordinates, here and in every drawing function, are logical pixels. A canvas of
// scale 2 holds 2 × 2 device pixels for each of them, for a screen that shows two device pixels
// per logical one: text, lines and fills are drawn at the device pixels' resolution, images from
// their variant of that scale (see image_add_variant). At scale 1 a logical pixel is a device
// pixel.
struct Canvas;
Canvas* canvas_create(std::int32_t width, std::int32_t height, std::int32_t scale = 1);
void canvas_delete(Canvas* canvas);
Canvas* canvas_copy(const Canvas* canvas);
Size canvas_size(const Canvas* canvas);           // logical pixels
std::int32_t canvas_scale(const Canvas* canvas);  // device pixels per logical pixel; 0 for null
// The scale of a canvas for a screen of that pixel ratio: the next whole number (a ratio of 1.5
// is drawn at 2 and scaled down smoothly when shown, so that no row or column is doubled).
std::int32_t canvas_scale_for(float pixel_ratio);
// The colour of one logical pixel (of its top left device pixel), not premultiplied; 0 outside
// the canvas.
Argb canvas_pixel(const Canvas* canvas, std::int32_t x, std::int32_t y);

// A copy of a canvas that erases rectangles of a canvas back to the copy's pixels.
struct Pattern;
Pattern* pattern_from_canvas(const Canvas* canvas);
void pattern_delete(Pattern* pattern);
// Replaces the pixels of the rectangle (alpha included, no blending) by the pattern's pixels at
// the same positions, the pattern repeating from the canvas origin. The pattern must come from a
// canvas of the same scale; otherwise nothing is replaced.
void fill_rect_with_pattern(Canvas* canvas, const Pattern* pattern, Rect rect);

// Images decoded from PNG; they own their pixels.
struct Image;
Image* image_from_png(std::span<const std::uint8_t> bytes);
void image_dispose(Image* image);
Size image_size(const Image* image);
// Adds a variant of the image drawn at `scale` times its size (a whole multiple of it, else
// nothing is added and false comes back). Drawing on a canvas of scale s uses the variant of the
// largest scale not above s, or the image itself.
bool image_add_variant(Image* image, std::span<const std::uint8_t> bytes, std::int32_t scale);

enum class SmoothingMode : std::uint8_t { high_quality = 2, none = 3 };
enum class PixelOffsetMode : std::uint8_t { none = 3 };
enum class InterpolationMode : std::uint8_t { nearest_neighbor = 5 };

// Drawing on a canvas. Drawing blends over what the canvas holds (source over).
struct Graphics;
Graphics* graphics_create(Canvas* canvas);
void graphics_delete(Graphics* graphics);
void graphics_set_smoothing_mode(Graphics* graphics, SmoothingMode mode);
void graphics_set_pixel_offset_mode(Graphics* graphics, PixelOffsetMode mode);
void graphics_set_interpolation_mode(Graphics* graphics, InterpolationMode mode);

// Draws the image scaled to the rectangle (x, y, width, height).
void draw_image(Graphics* graphics, const Image* image, std::int32_t x, std::int32_t y,
                std::int32_t width, std::int32_t height);
void fill_rectangle(Graphics* graphics, Argb colour, std::int32_t x, std::int32_t y,
                    std::int32_t width, std::int32_t height);
// A line with flat ends. With smoothing and pixel offset none, a line of width 6 at x = 480
// covers the columns 477 to 482.
void draw_line(Graphics* graphics, Argb colour, float width, Point from, Point to);

// Text. Font sizes are in pixels. Strings are laid out in a box: wrapped at word boundaries
// (a word wider than the box is broken) unless their format says not to, a line feed starts a
// new line, and what falls outside the box is clipped.
enum class FontStyle : std::uint8_t { regular = 0, bold = 1 };
enum class StringAlignment : std::uint8_t { near = 0, center = 1 };
// Without wrapping, a line goes on past the box's right edge (and is clipped there).
enum class StringWrapping : std::uint8_t { wrap = 0, none = 1 };

struct FontFamily;
FontFamily* font_family_create(std::u16string_view name);
void font_family_delete(FontFamily* family);

struct Font;
Font* font_create(const FontFamily* family, float size_pixels, FontStyle style);
void font_delete(Font* font);

struct StringFormat;
StringFormat* string_format_create();  // near alignment, wrapping
void string_format_delete(StringFormat* format);
void string_format_set_alignment(StringFormat* format, StringAlignment alignment);
void string_format_set_wrapping(StringFormat* format, StringWrapping wrapping);

void draw_string(Graphics* graphics, std::u16string_view text, const Font* font, RectF layout,
                 const StringFormat* format, Argb colour);
// The bounding box of the text as draw_string would lay it out in the box.
RectF measure_string(Graphics* graphics, std::u16string_view text, const Font* font, RectF layout,
                     const StringFormat* format);

}  // namespace platform
