// Images decoded from PNG bytes.
#include <algorithm>
#include <climits>

#include <QBuffer>
#include <QImageReader>

#include "platform/graphics.h"
#include "platform/qt/paint/qt_paint.h"

namespace platform {

namespace {

// Converted once here, so that drawing the image later is a plain blend; null when the bytes are
// no PNG.
QImage decode(std::span<const std::uint8_t> bytes) {
    if (bytes.empty() || bytes.size() > static_cast<std::size_t>(INT_MAX)) {
        return {};
    }
    // fromData copies what it decodes, so the image never refers to the caller's bytes.
    const QImage decoded = QImage::fromData(bytes.data(), static_cast<int>(bytes.size()), "PNG");
    return decoded.isNull() ? QImage() : decoded.convertToFormat(paint_format);
}

}  // namespace

Image* image_from_png(std::span<const std::uint8_t> bytes) {
    QImage decoded = decode(bytes);
    if (decoded.isNull()) {
        return nullptr;
    }
    return new Image{std::move(decoded), {}};
}

bool image_add_variant(Image* image, std::span<const std::uint8_t> bytes, std::int32_t scale) {
    if (image == nullptr || scale < 2 || bytes.size() > static_cast<std::size_t>(INT_MAX)) {
        return false;
    }
    // Only the header is read now: the pixels are decoded when first drawn at this scale.
    QByteArray png(reinterpret_cast<const char*>(bytes.data()), static_cast<int>(bytes.size()));
    QBuffer buffer(&png);
    QImageReader reader(&buffer, "PNG");
    if (!reader.canRead() || reader.size() != image->image.size() * scale) {
        return false;
    }
    auto& variants = image->variants;
    const auto place =
        std::find_if(variants.begin(), variants.end(),
                     [scale](const ImageVariant& other) { return other.scale >= scale; });
    ImageVariant variant{scale, std::move(png), {}};
    if (place != variants.end() && place->scale == scale) {
        *place = std::move(variant);
    } else {
        variants.insert(place, std::move(variant));
    }
    return true;
}

const QImage& image_for_scale(const Image& image, std::int32_t scale) {
    const QImage* chosen = &image.image;
    for (const ImageVariant& variant : image.variants) {
        if (variant.scale > scale) {
            break;
        }
        if (!variant.decode_tried) {
            variant.decode_tried = true;
            const auto* data = reinterpret_cast<const std::uint8_t*>(variant.png.constData());
            variant.decoded = decode({data, static_cast<std::size_t>(variant.png.size())});
            variant.decoded.setDevicePixelRatio(variant.scale);
        }
        if (variant.decoded.size() == image.image.size() * variant.scale) {
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
    return {image->image.width(), image->image.height()};
}

}  // namespace platform
