// Images decoded from PNG bytes by GDI+'s own decoder into pixels the image owns.
#include <algorithm>
#include <array>
#include <climits>
#include <cstring>

#include "platform/graphics.h"
#include "platform/win32/paint/gdiplus_paint.h"
// After the Windows headers, which it needs.
#include <shlwapi.h>

namespace platform {
namespace {

std::uint32_t big_endian_at(std::span<const std::uint8_t> bytes, std::size_t offset) {
    return (std::uint32_t{bytes[offset]} << 24) | (std::uint32_t{bytes[offset + 1]} << 16) |
           (std::uint32_t{bytes[offset + 2]} << 8) | std::uint32_t{bytes[offset + 3]};
}

struct StreamReleaser {
    void operator()(IStream* stream) const { stream->Release(); }
};

// What GDI+ decoded, converted to premultiplied pixels copied into `pixels`.
bool copy_premultiplied(Gdiplus::GpBitmap* source, OwnedPixels& pixels) {
    const Gdiplus::GpRect whole{0, 0, pixels.width, pixels.height};
    Gdiplus::BitmapData data{};
    if (gdip::GdipBitmapLockBits(source, &whole, Gdiplus::ImageLockModeRead, PixelFormat32bppPARGB,
                                 &data) != Gdiplus::Ok) {
        return false;
    }
    const auto* first_row = static_cast<const std::uint8_t*>(data.Scan0);
    const std::size_t width = static_cast<std::size_t>(pixels.width);
    for (std::int32_t y = 0; y < pixels.height; ++y) {
        std::memcpy(pixels.pixels.data() + static_cast<std::size_t>(y) * width,
                    first_row + static_cast<std::ptrdiff_t>(y) * data.Stride,
                    width * sizeof(std::uint32_t));
    }
    gdip::GdipBitmapUnlockBits(source, &data);
    return true;
}

}  // namespace

std::optional<Size> png_size(std::span<const std::uint8_t> bytes) {
    constexpr std::array<std::uint8_t, 8> signature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    constexpr std::size_t header_end = 24;  // signature, IHDR length and name, width, height
    if (bytes.size() < header_end ||
        !std::equal(signature.begin(), signature.end(), bytes.begin()) ||
        std::memcmp(bytes.data() + 12, "IHDR", 4) != 0) {
        return std::nullopt;
    }
    const std::uint32_t width = big_endian_at(bytes, 16);
    const std::uint32_t height = big_endian_at(bytes, 20);
    if (width == 0 || height == 0 || width > INT_MAX || height > INT_MAX) {
        return std::nullopt;
    }
    return Size{static_cast<std::int32_t>(width), static_cast<std::int32_t>(height)};
}

OwnedPixels decode_png(std::span<const std::uint8_t> bytes) {
    OwnedPixels pixels;
    // GDI+ also decodes BMP, GIF, JPEG and more; the program's pictures are PNG and nothing else.
    if (!png_size(bytes) || bytes.size() > UINT_MAX) {
        return pixels;
    }
    // GDI+ reads the stream as it pleases until the bitmap is gone; both go before returning.
    const std::unique_ptr<IStream, StreamReleaser> stream(
        SHCreateMemStream(bytes.data(), static_cast<UINT>(bytes.size())));
    Gdiplus::GpBitmap* decoded = nullptr;
    if (!stream || gdip::GdipCreateBitmapFromStream(stream.get(), &decoded) != Gdiplus::Ok) {
        return pixels;
    }
    const BitmapHandle source(decoded);
    UINT width = 0;
    UINT height = 0;
    gdip::GdipGetImageWidth(source.get(), &width);
    gdip::GdipGetImageHeight(source.get(), &height);
    if (width == 0 || height == 0 || std::uint64_t{width} * height * 4 > INT_MAX) {
        return pixels;
    }
    pixels.width = static_cast<std::int32_t>(width);
    pixels.height = static_cast<std::int32_t>(height);
    pixels.pixels.resize(std::size_t{width} * height);
    Gdiplus::GpBitmap* owned = nullptr;
    if (!copy_premultiplied(source.get(), pixels) ||
        gdip::GdipCreateBitmapFromScan0(
            pixels.width, pixels.height, pixels.width * 4, PixelFormat32bppPARGB,
            reinterpret_cast<BYTE*>(pixels.pixels.data()), &owned) != Gdiplus::Ok) {
        return {};
    }
    pixels.bitmap.reset(owned);
    return pixels;
}

Image* image_from_png(std::span<const std::uint8_t> bytes) {
    OwnedPixels pixels = decode_png(bytes);
    if (!pixels.bitmap) {
        return nullptr;
    }
    return new Image{std::move(pixels), {}};
}

bool image_add_variant(Image* image, std::span<const std::uint8_t> bytes, std::int32_t scale) {
    if (image == nullptr || scale < 2) {
        return false;
    }
    // Only the header is read now: the pixels are decoded when first drawn at this scale.
    const std::optional<Size> size = png_size(bytes);
    if (!size || std::int64_t{size->cx} != std::int64_t{image->pixels.width} * scale ||
        std::int64_t{size->cy} != std::int64_t{image->pixels.height} * scale) {
        return false;
    }
    auto& variants = image->variants;
    const auto place =
        std::find_if(variants.begin(), variants.end(),
                     [scale](const ImageVariant& other) { return other.scale >= scale; });
    ImageVariant variant{scale, {bytes.begin(), bytes.end()}, {}, false};
    if (place != variants.end() && place->scale == scale) {
        *place = std::move(variant);
    } else {
        variants.insert(place, std::move(variant));
    }
    return true;
}

const OwnedPixels& image_for_scale(const Image& image, std::int32_t scale) {
    const OwnedPixels* chosen = &image.pixels;
    for (const ImageVariant& variant : image.variants) {
        if (variant.scale > scale) {
            break;
        }
        if (!variant.decode_tried) {
            variant.decode_tried = true;
            variant.decoded = decode_png(variant.png);
        }
        if (variant.decoded.bitmap && variant.decoded.width == image.pixels.width * variant.scale &&
            variant.decoded.height == image.pixels.height * variant.scale) {
            chosen = &variant.decoded;
        }
    }
    return *chosen;
}

void image_dispose(Image* image) {
    delete image;
}

Size image_size(const Image* image) {
    if (image == nullptr) {
        return {};
    }
    return {image->pixels.width, image->pixels.height};
}

}  // namespace platform
