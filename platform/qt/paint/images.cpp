// Images decoded from PNG bytes.
#include <climits>

#include "platform/graphics.h"
#include "platform/qt/paint/qt_paint.h"

namespace platform {

Image* image_from_png(std::span<const std::uint8_t> bytes) {
    if (bytes.empty() || bytes.size() > static_cast<std::size_t>(INT_MAX)) {
        return nullptr;
    }
    // fromData copies what it decodes, so the image never refers to the caller's bytes.
    const QImage decoded = QImage::fromData(bytes.data(), static_cast<int>(bytes.size()), "PNG");
    if (decoded.isNull()) {
        return nullptr;
    }
    // Converted once here, so that drawing the image later is a plain blend.
    return new Image{decoded.convertToFormat(paint_format)};
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
