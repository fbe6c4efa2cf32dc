// The drawing services every painter shares: embedded PNG pictures, and text drawn or measured
// through the bound shared_graphics.
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/graphics.h"
#include "widgets/widget.h"

// Decodes the embedded picture of that name (compared without regard to case) into out; leaves
// out untouched when there is no such picture or it cannot be decoded.
std::int32_t load_png_resource(std::string_view name, platform::Image*& out);
// The same as a function that returns the picture, or null (a host window's `read_picture`).
platform::Image* read_png_resource(std::string_view name);

// Text in Arial of the given pixel size: near alignment, or centred when centred is nonzero.
std::int32_t draw_text_box(float x, float y, float width, float height, std::string_view text,
                           std::int32_t size, platform::Argb colour, std::uint8_t centred,
                           std::uint8_t style);
// The box of the text laid out at most 300 pixels wide.
std::int32_t measure_text(std::string_view text, std::int32_t size, platform::RectF& out_box,
                          std::uint8_t centred, std::uint8_t style);

// Text in the widget's font and alignment, in a box as wide as the widget less 15 pixels and as
// high as the widget.
std::int32_t draw_widget_string(const Widget& widget, std::int32_t x, std::int32_t y,
                                std::string_view text, platform::Argb colour);
// Text in the widget's font and alignment, in a box of the given width, as high as the widget.
std::int32_t draw_widget_string_in_width(const Widget& widget, std::int32_t x, std::int32_t y,
                                         std::int32_t width, std::string_view text,
                                         platform::Argb colour);
// The widget's own text, in a box of the widget's full size.
std::int32_t draw_widget_text(const Widget& widget, std::int32_t x, std::int32_t y,
                              platform::Argb colour);

// Gives a widget that draws text its Arial font of that pixel size and style, and its format.
void give_widget_font(Widget& widget, float size_pixels, platform::FontStyle style,
                      platform::StringAlignment alignment);
// Deletes the string format, font and font family of a widget that draws text, in that order.
void release_widget_font(Widget& widget);
