// Font families, fonts and string formats.
#include <algorithm>
#include <cmath>

#include "platform/graphics.h"
#include "platform/qt/paint/gui_application.h"
#include "platform/qt/paint/qt_paint.h"

namespace platform {

FontFamily* font_family_create(std::u16string_view name) {
    qt::ensure_gui_application();
    return new FontFamily{
        QString(reinterpret_cast<const QChar*>(name.data()), static_cast<qsizetype>(name.size()))};
}

void font_family_delete(FontFamily* family) {
    delete family;
}

namespace {

// Qt takes whole pixel sizes; the sizes the program uses are whole already.
int whole_pixel_size(float size_pixels) {
    constexpr float largest = 4096.0F;
    return static_cast<int>(std::lround(std::clamp(size_pixels, 1.0F, largest)));
}

}  // namespace

Font* font_create(const FontFamily* family, float size_pixels, FontStyle style) {
    if (family == nullptr || !(size_pixels > 0.0F) || !std::isfinite(size_pixels)) {
        return nullptr;
    }
    qt::ensure_gui_application();
    // The family name goes through fontconfig, which turns "Arial" into a metric-compatible font.
    QFont font(family->name);
    font.setPixelSize(whole_pixel_size(size_pixels));
    font.setWeight(style == FontStyle::bold ? QFont::Bold : QFont::Normal);
    // Colour fringes would show on a window with per-pixel alpha: grey antialiasing only.
    font.setStyleStrategy(QFont::NoSubpixelAntialias);
    return new Font{font, size_pixels};
}

void font_delete(Font* font) {
    delete font;
}

StringFormat* string_format_create() {
    return new StringFormat{};
}

void string_format_delete(StringFormat* format) {
    delete format;
}

void string_format_set_alignment(StringFormat* format, StringAlignment alignment) {
    if (format != nullptr) {
        format->alignment = alignment;
    }
}

void string_format_set_wrapping(StringFormat* format, StringWrapping wrapping) {
    if (format != nullptr) {
        format->wrapping = wrapping;
    }
}

}  // namespace platform
