// Icons made from the embedded PNG pictures, decoded and scaled by GDI+.
#include <windows.h>

#include <objidl.h>
#include <shlwapi.h>

#include <gdiplus.h>

#include <string>

#include "platform/win32/shell/win32_shell.h"
#include "resources/resources.h"

namespace platform::win32 {
namespace {

using namespace Gdiplus;
using namespace Gdiplus::DllExports;

GpBitmap* decode_png(std::span<const std::uint8_t> bytes) {
    if (bytes.empty()) {
        return nullptr;
    }
    IStream* stream = SHCreateMemStream(bytes.data(), static_cast<UINT>(bytes.size()));
    if (stream == nullptr) {
        return nullptr;
    }
    GpBitmap* bitmap = nullptr;
    if (GdipCreateBitmapFromStream(stream, &bitmap) != Ok) {
        bitmap = nullptr;
    }
    stream->Release();
    return bitmap;
}

// The first set is drawn for screens of ratio 1; a bigger icon is made from the second.
std::span<const std::uint8_t> picture_for(std::string_view name, int size) {
    const std::span<const std::uint8_t> first = find_resource(name);
    GpBitmap* bitmap = decode_png(first);
    UINT width = 0;
    if (bitmap != nullptr) {
        GdipGetImageWidth(bitmap, &width);
        GdipDisposeImage(bitmap);
    }
    if (width != 0 && static_cast<UINT>(size) > width) {
        const std::span<const std::uint8_t> second = find_resource(std::string(name) + "@2x");
        if (!second.empty()) {
            return second;
        }
    }
    return first;
}

// The picture drawn smoothly at size × size pixels, alpha kept.
GpBitmap* scaled(GpBitmap* picture, int size) {
    GpBitmap* result = nullptr;
    if (GdipCreateBitmapFromScan0(size, size, 0, PixelFormat32bppARGB, nullptr, &result) != Ok) {
        return nullptr;
    }
    GpGraphics* graphics = nullptr;
    if (GdipGetImageGraphicsContext(result, &graphics) != Ok) {
        GdipDisposeImage(result);
        return nullptr;
    }
    GdipSetInterpolationMode(graphics, InterpolationModeHighQualityBicubic);
    GdipSetPixelOffsetMode(graphics, PixelOffsetModeHalf);
    GdipDrawImageRectI(graphics, picture, 0, 0, size, size);
    GdipDeleteGraphics(graphics);
    return result;
}

}  // namespace

HICON resource_icon(std::string_view name, int size) {
    if (size <= 0) {
        return nullptr;
    }
    GpBitmap* picture = decode_png(picture_for(name, size));
    if (picture == nullptr) {
        return nullptr;
    }
    GpBitmap* sized = scaled(picture, size);
    GdipDisposeImage(picture);
    HICON icon = nullptr;
    if (sized != nullptr) {
        if (GdipCreateHICONFromBitmap(sized, &icon) != Ok) {
            icon = nullptr;
        }
        GdipDisposeImage(sized);
    }
    return icon;
}

}  // namespace platform::win32
