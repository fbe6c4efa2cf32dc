// The background picture of the window: the blue frame with its soft shadow, the board's well,
// the title, the chart and score panels, the resting faces of the buttons and a tagline.
#include "tools/artwork/background.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include "tools/artwork/button_face.h"
#include "tools/artwork/drawing_kit.h"
#include "tools/artwork/layout.h"

namespace {

// The frame body keeps clear of the canvas edge so that its shadow fades out to nothing there.
const QRectF frame_body{9, 9, 682, 532};
constexpr qreal frame_corner = 26;
constexpr qreal shadow_spread = 7;
constexpr qreal shadow_drop = 1.5;

const QColor royal_blue{37, 50, 213};
const QColor frame_edge{10, 14, 74};
const QColor well_colour{32, 76, 64, 220};
const QColor chart_green{72, 132, 72};
const QColor score_top{125, 168, 134};
const QColor score_bottom{5, 34, 10};
const QColor panel_border{10, 36, 14};

QPainterPath frame_outline() {
    QPainterPath outline;
    outline.addRoundedRect(frame_body, frame_corner, frame_corner);
    return outline;
}

void draw_frame_shadow(QPainter& painter) {
    const QImage shadow = rounded_rect_shadow({layout::window_width, layout::window_height},
                                              frame_body.translated(0, shadow_drop), frame_corner,
                                              shadow_spread, QColor(0, 0, 24), 150);
    painter.drawImage(0, 0, shadow);
}

void draw_frame_body(QPainter& painter) {
    QLinearGradient body(0, frame_body.top(), 0, frame_body.bottom());
    body.setColorAt(0, royal_blue.lighter(122));
    body.setColorAt(0.45, royal_blue);
    body.setColorAt(1, royal_blue.darker(128));
    painter.fillPath(frame_outline(), body);

    // A broad, faint sheen from the upper left.
    QRadialGradient sheen(frame_body.left() + 120, frame_body.top() + 40, 520);
    sheen.setColorAt(0, QColor(255, 255, 255, 38));
    sheen.setColorAt(1, QColor(255, 255, 255, 0));
    painter.fillPath(frame_outline(), sheen);
}

// A dark outer line and a light inner line give the frame a rounded, raised edge.
void draw_frame_edges(QPainter& painter) {
    painter.strokePath(frame_outline(), QPen(frame_edge, 2.0));
    QPainterPath inner;
    inner.addRoundedRect(frame_body.adjusted(2, 2, -2, -2), frame_corner - 2, frame_corner - 2);
    QLinearGradient light(0, frame_body.top(), 0, frame_body.bottom());
    light.setColorAt(0, QColor(255, 255, 255, 120));
    light.setColorAt(0.5, QColor(255, 255, 255, 30));
    light.setColorAt(1, QColor(255, 255, 255, 10));
    painter.strokePath(inner, QPen(QBrush(light), 1.2));
}

// A sunken rim around the well: shade above and left, light below and right.
void draw_well_rim(QPainter& painter) {
    const QRectF rim = QRectF(layout::well).adjusted(-2, -2, 2, 2);
    painter.fillRect(QRectF(rim.left(), rim.top(), rim.width(), 2), QColor(4, 8, 50, 170));
    painter.fillRect(QRectF(rim.left(), rim.top(), 2, rim.height()), QColor(4, 8, 50, 140));
    painter.fillRect(QRectF(rim.left() + 2, rim.bottom() - 2, rim.width() - 2, 2),
                     QColor(255, 255, 255, 80));
    painter.fillRect(QRectF(rim.right() - 2, rim.top() + 2, 2, rim.height() - 4),
                     QColor(255, 255, 255, 60));
}

// The well replaces the frame's pixels (no blending), so that it keeps its own alpha and the
// desktop shows faintly through empty cells. Its inner shadow stays in the margin around the
// board, so every empty cell shows the same colour.
void draw_well(QPainter& painter) {
    draw_well_rim(painter);
    painter.save();
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.fillRect(layout::well, well_colour);
    painter.restore();

    const QRect& well = layout::well;
    const int margin_top = layout::board_origin.y() - well.top();
    const int margin_left = layout::board_origin.x() - well.left();
    QLinearGradient top_shade(0, well.top(), 0, well.top() + margin_top);
    top_shade.setColorAt(0, QColor(0, 0, 0, 90));
    top_shade.setColorAt(1, QColor(0, 0, 0, 0));
    painter.fillRect(QRect(well.left(), well.top(), well.width(), margin_top), top_shade);
    QLinearGradient left_shade(well.left(), 0, well.left() + margin_left, 0);
    left_shade.setColorAt(0, QColor(0, 0, 0, 70));
    left_shade.setColorAt(1, QColor(0, 0, 0, 0));
    painter.fillRect(
        QRect(well.left(), well.top() + margin_top, margin_left, well.height() - margin_top),
        left_shade);
}

void draw_title(QPainter& painter) {
    QPainterPath title;
    title.addText(0, 0, sans_font(46, QFont::Bold, QFont::StyleItalic), QStringLiteral("Vormelin"));
    const QRectF bounds = title.boundingRect();
    const qreal centre_x = (layout::title_left + layout::title_right) / 2.0;
    title.translate(centre_x - bounds.center().x(), 58 - bounds.bottom());

    painter.fillPath(title.translated(2, 3), QColor(0, 0, 30, 110));
    painter.strokePath(title,
                       QPen(QColor(8, 12, 70), 3.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    const QRectF placed = title.boundingRect();
    QLinearGradient gold(0, placed.top(), 0, placed.bottom());
    gold.setColorAt(0, QColor(255, 252, 226));
    gold.setColorAt(0.5, QColor(255, 222, 96));
    gold.setColorAt(1, QColor(236, 158, 20));
    painter.fillPath(title, gold);
}

QPainterPath panel_outline(const QRect& area) {
    QPainterPath outline;
    outline.addRoundedRect(QRectF(area).adjusted(0.5, 0.5, -0.5, -0.5), 5, 5);
    return outline;
}

void draw_panel_edges(QPainter& painter, const QRect& area) {
    painter.strokePath(panel_outline(area), QPen(panel_border, 1.6));
    QPainterPath inner;
    inner.addRoundedRect(QRectF(area).adjusted(2, 2, -2, -2), 3.5, 3.5);
    painter.strokePath(inner, QPen(QColor(255, 255, 255, 45), 1.0));
}

void draw_chart_panel(QPainter& painter) {
    const QRect& area = layout::chart_panel;
    QLinearGradient fill(0, area.top(), 0, area.bottom());
    fill.setColorAt(0, chart_green.lighter(112));
    fill.setColorAt(1, chart_green.darker(110));
    painter.fillPath(panel_outline(area), fill);

    // Faint guides at the top, the middle and the foot of the tallest bar.
    const int left = layout::chart_bar_x - 6;
    const int right = area.right() - 5;
    const int top = layout::chart_bar_bottom - layout::chart_bar_tallest;
    for (int y : {top, top + layout::chart_bar_tallest / 2}) {
        painter.fillRect(QRect(left, y, right - left, 1), QColor(255, 255, 255, 34));
    }
    painter.fillRect(QRect(left, layout::chart_bar_bottom, right - left, 1),
                     QColor(10, 40, 14, 150));
    draw_panel_edges(painter, area);
}

void draw_score_panel(QPainter& painter) {
    const QRect& area = layout::score_panel;
    QLinearGradient fill(0, area.top(), 0, area.bottom());
    fill.setColorAt(0, score_top);
    fill.setColorAt(1, score_bottom);
    painter.fillPath(panel_outline(area), fill);

    // Every other row a shade lighter, to guide the eye from a name to its result.
    for (int row = 1; row < layout::score_rows; row += 2) {
        const int y = layout::score_row_top + row * layout::score_row_step - 1;
        painter.fillRect(QRect(area.left() + 4, y, area.width() - 8, layout::score_row_step),
                         QColor(255, 255, 255, 16));
    }
    draw_panel_edges(painter, area);
}

void draw_resting_buttons(QPainter& painter) {
    for (const layout::ButtonPlace& place : layout::buttons) {
        draw_button_face(painter, place.top_left, place.symbol, ButtonLook::resting);
    }
}

void draw_tagline(QPainter& painter) {
    const QFont font = sans_font(13, QFont::Normal, QFont::StyleItalic);
    const QString text =
        QStringLiteral("Retirez les groupes de même couleur : moins il en reste, mieux c’est !");
    const QPointF at(layout::well.left() + 4, layout::well.bottom() + 26);
    painter.setFont(font);
    painter.setPen(QColor(0, 0, 40, 120));
    painter.drawText(at + QPointF(1, 1), text);
    painter.setPen(QColor(214, 222, 255));
    painter.drawText(at, text);
}

}  // namespace

QImage background_picture() {
    QImage picture = new_canvas(layout::window_width, layout::window_height);
    QPainter painter(&picture);
    use_smooth_rendering(painter);
    draw_frame_shadow(painter);
    draw_frame_body(painter);
    draw_frame_edges(painter);
    draw_well(painter);
    draw_title(painter);
    draw_chart_panel(painter);
    draw_score_panel(painter);
    draw_resting_buttons(painter);
    draw_tagline(painter);
    return picture;
}
