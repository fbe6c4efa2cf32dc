// The part of a picture with per-pixel alpha that a window without compositing can show.
#include "platform/qt/window/shape.h"

#include <QColor>

namespace platform::qt {

QImage opaque_part(const QImage& picture) {
    const QImage argb = picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QImage mask(argb.size(), QImage::Format_MonoLSB);
    mask.setColorCount(2);
    mask.setColor(0, QColor(Qt::color0).rgba());
    mask.setColor(1, QColor(Qt::color1).rgba());
    mask.fill(0);
    for (int y = 0; y < argb.height(); ++y) {
        const auto* pixels = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        uchar* bits = mask.scanLine(y);
        for (int x = 0; x < argb.width(); ++x) {
            if (qAlpha(pixels[x]) >= 128) {
                bits[x >> 3] = static_cast<uchar>(bits[x >> 3] | (1u << (x & 7)));
            }
        }
    }
    return mask;
}

}  // namespace platform::qt
