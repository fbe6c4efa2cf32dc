// Text laid out in a box: wrapping, line feeds, alignment and the padding around each line.
#include "platform/qt/paint/text_layout.h"

#include <QFontMetricsF>
#include <QTextOption>
#include <algorithm>
#include <cmath>

#include "platform/qt/paint/qt_paint.h"

namespace platform {

namespace {

// The desktop text engine leaves a sixth of the em size free before and after each line; the
// program's layouts (tooltip margins, score columns) were made with that space in them.
qreal line_padding(const Font& font) {
    return static_cast<qreal>(font.size_pixels) / 6.0;
}

bool is_finite(RectF box) {
    return std::isfinite(box.x) && std::isfinite(box.y) && std::isfinite(box.width) &&
           std::isfinite(box.height);
}

// QTextLayout breaks lines only at the Unicode line separator.
QString with_line_separators(std::u16string_view text) {
    QString string(reinterpret_cast<const QChar*>(text.data()),
                   static_cast<qsizetype>(text.size()));
    string.replace(QStringLiteral("\r\n"), QString(QChar::LineSeparator));
    string.replace(QChar(u'\n'), QChar::LineSeparator);
    string.replace(QChar(u'\r'), QChar::LineSeparator);
    return string;
}

QTextOption text_option(StringWrapping wrapping) {
    QTextOption option;
    option.setWrapMode(wrapping == StringWrapping::wrap ? QTextOption::WrapAtWordBoundaryOrAnywhere
                                                        : QTextOption::NoWrap);
    // Lines are aligned here, by their positions; Qt must not shift them again.
    option.setAlignment(Qt::AlignLeft | Qt::AlignAbsolute);
    return option;
}

qreal indent(StringAlignment alignment, qreal line_width, qreal text_width) {
    return alignment == StringAlignment::center ? (line_width - text_width) / 2.0 : 0.0;
}

}  // namespace

TextLayout lay_out_text(std::u16string_view text, const Font& font, RectF box,
                        const StringFormat& format, QPaintDevice* device) {
    TextLayout result{std::make_unique<QTextLayout>(with_line_separators(text), font.font, device),
                      QRectF(box.x, box.y, 0, 0)};
    const qreal line_height = QFontMetricsF(font.font, device).lineSpacing();
    if (text.empty() || !is_finite(box) || !(line_height > 0)) {
        return result;
    }
    const qreal padding = line_padding(font);
    const qreal line_width = std::max<qreal>(box.width - 2 * padding, 0);
    QTextLayout& layout = *result.layout;
    layout.setTextOption(text_option(format.wrapping));
    qreal widest = 0;
    int count = 0;
    layout.beginLayout();
    // Lines that would start below the box are neither drawn nor measured.
    for (QTextLine line = layout.createLine(); line.isValid() && count * line_height < box.height;
         line = layout.createLine()) {
        line.setLineWidth(line_width);
        const qreal text_width = line.naturalTextWidth();
        line.setPosition(QPointF(box.x + padding + indent(format.alignment, line_width, text_width),
                                 box.y + count * line_height));
        widest = std::max(widest, text_width);
        ++count;
    }
    layout.endLayout();
    if (count > 0) {
        result.bounds.setWidth(std::min<qreal>(widest + 2 * padding, box.width));
        result.bounds.setHeight(std::min<qreal>(count * line_height, box.height));
    }
    return result;
}

}  // namespace platform
