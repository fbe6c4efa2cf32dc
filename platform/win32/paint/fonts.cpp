// Font families, fonts and string formats.
#include <cmath>
#include <string>

#include "platform/graphics.h"
#include "platform/win32/paint/gdiplus_paint.h"

namespace platform {
namespace {

Gdiplus::GpFontFamily* family_named(std::u16string_view name) {
    // GDI+ takes a terminated UTF-16 name, which is what wchar_t holds on Windows.
    const std::wstring terminated(name.begin(), name.end());
    Gdiplus::GpFontFamily* family = nullptr;
    if (gdip::GdipCreateFontFamilyFromName(terminated.c_str(), nullptr, &family) != Gdiplus::Ok) {
        return nullptr;
    }
    return family;
}

// Where Arial is not installed (Wine on a Linux system), the font made with its metrics, so that
// text takes the room the layouts were made for.
Gdiplus::GpFontFamily* metric_compatible_stand_in(std::u16string_view name) {
    return name == u"Arial" ? family_named(u"Liberation Sans") : nullptr;
}

// The desktop's generic sans-serif family, for a name that no installed font answers to.
Gdiplus::GpFontFamily* generic_sans_serif() {
    Gdiplus::GpFontFamily* generic = nullptr;
    Gdiplus::GpFontFamily* own = nullptr;
    // The generic family belongs to GDI+; a clone is ours to delete.
    if (gdip::GdipGetGenericFontFamilySansSerif(&generic) != Gdiplus::Ok ||
        gdip::GdipCloneFontFamily(generic, &own) != Gdiplus::Ok) {
        return nullptr;
    }
    return own;
}

}  // namespace

FontFamily* font_family_create(std::u16string_view name) {
    Gdiplus::GpFontFamily* family = family_named(name);
    if (family == nullptr) {
        family = metric_compatible_stand_in(name);
    }
    if (family == nullptr) {
        family = generic_sans_serif();
    }
    return family != nullptr ? new FontFamily{family} : nullptr;
}

void font_family_delete(FontFamily* family) {
    if (family != nullptr) {
        gdip::GdipDeleteFontFamily(family->family);
    }
    delete family;
}

Font* font_create(const FontFamily* family, float size_pixels, FontStyle style) {
    if (family == nullptr || !(size_pixels > 0.0F) || !std::isfinite(size_pixels)) {
        return nullptr;
    }
    Gdiplus::GpFont* font = nullptr;
    if (gdip::GdipCreateFont(family->family, size_pixels, static_cast<INT>(style),
                             Gdiplus::UnitPixel, &font) != Gdiplus::Ok) {
        return nullptr;
    }
    return new Font{font};
}

void font_delete(Font* font) {
    if (font != nullptr) {
        gdip::GdipDeleteFont(font->font);
    }
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
