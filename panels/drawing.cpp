// Embedded pictures and text through the shared Graphics.
#include "panels/drawing.h"

#include <string>

#include "resources/resources.h"
#include "runtime/text.h"
#include "widgets/shared_graphics.h"

namespace {

constexpr float measure_width = 300.0f;
constexpr float measure_height = 1000.0f;

platform::StringAlignment alignment_of(std::uint8_t centred) {
    return centred != 0 ? platform::StringAlignment::center : platform::StringAlignment::near;
}

platform::FontStyle style_of(std::uint8_t style) {
    return style == 1 ? platform::FontStyle::bold : platform::FontStyle::regular;
}

// An Arial font and a format made for one call, released when it ends.
struct TextTools {
    platform::FontFamily* family = nullptr;
    platform::Font* font = nullptr;
    platform::StringFormat* format = nullptr;

    TextTools(std::int32_t size, std::uint8_t centred, std::uint8_t style)
        : family(platform::font_family_create(u"Arial")),
          font(platform::font_create(family, static_cast<float>(size), style_of(style))),
          format(platform::string_format_create()) {
        platform::string_format_set_alignment(format, alignment_of(centred));
    }
    ~TextTools() {
        platform::string_format_delete(format);
        platform::font_delete(font);
        platform::font_family_delete(family);
    }
    TextTools(const TextTools&) = delete;
    TextTools& operator=(const TextTools&) = delete;
};

}  // namespace

std::int32_t load_png_resource(std::string_view name, platform::Image*& out) {
    const auto bytes = find_resource(name);
    if (bytes.empty()) {
        return 0;
    }
    if (platform::Image* image = platform::image_from_png(bytes)) {
        // The picture drawn at twice the size, for canvases of two device pixels per pixel.
        constexpr std::int32_t dense_scale = 2;
        const std::string dense_name = std::string(name) + "@2x";
        platform::image_add_variant(image, find_resource(dense_name), dense_scale);
        out = image;
    }
    return 0;
}

platform::Image* read_png_resource(std::string_view name) {
    platform::Image* image = nullptr;
    load_png_resource(name, image);
    return image;
}

std::int32_t draw_text_box(float x, float y, float width, float height, std::string_view text,
                           std::int32_t size, platform::Argb colour, std::uint8_t centred,
                           std::uint8_t style) {
    const TextTools tools(size, centred, style);
    platform::draw_string(shared_graphics, to_wide(text), tools.font, {x, y, width, height},
                          tools.format, colour);
    return 0;
}

std::int32_t measure_text(std::string_view text, std::int32_t size, platform::RectF& out_box,
                          std::uint8_t centred, std::uint8_t style) {
    const TextTools tools(size, centred, style);
    out_box = platform::measure_string(shared_graphics, to_wide(text), tools.font,
                                       {0, 0, measure_width, measure_height}, tools.format);
    return 0;
}

std::int32_t draw_widget_string(const Widget& widget, std::int32_t x, std::int32_t y,
                                std::string_view text, platform::Argb colour) {
    return draw_widget_string_in_width(widget, x, y, widget.width - 15, text, colour);
}

std::int32_t draw_widget_string_in_width(const Widget& widget, std::int32_t x, std::int32_t y,
                                         std::int32_t width, std::string_view text,
                                         platform::Argb colour) {
    const platform::RectF box{static_cast<float>(x), static_cast<float>(y),
                              static_cast<float>(width), static_cast<float>(widget.height)};
    platform::draw_string(shared_graphics, to_wide(text), widget.font, box, widget.string_format,
                          colour);
    return 0;
}

std::int32_t draw_widget_text(const Widget& widget, std::int32_t x, std::int32_t y,
                              platform::Argb colour) {
    const platform::RectF box{static_cast<float>(x), static_cast<float>(y),
                              static_cast<float>(widget.width), static_cast<float>(widget.height)};
    platform::draw_string(shared_graphics, to_wide(widget.text), widget.font, box,
                          widget.string_format, colour);
    return 0;
}

void give_widget_font(Widget& widget, float size_pixels, platform::FontStyle style,
                      platform::StringAlignment alignment) {
    widget.font_family = platform::font_family_create(u"Arial");
    widget.font_size = static_cast<std::int32_t>(size_pixels);
    widget.font = platform::font_create(widget.font_family, size_pixels, style);
    widget.string_format = platform::string_format_create();
    platform::string_format_set_alignment(widget.string_format, alignment);
}

void release_widget_font(Widget& widget) {
    platform::string_format_delete(widget.string_format);
    widget.string_format = nullptr;
    platform::font_delete(widget.font);
    widget.font = nullptr;
    platform::font_family_delete(widget.font_family);
    widget.font_family = nullptr;
}
