// The round faces of the five window buttons: a calm resting face (part of the background
// picture) and a lit face shown while the pointer is on the button.
#include "tools/artwork/button_face.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <QRadialGradient>

#include "tools/artwork/drawing_kit.h"

namespace {

using layout::ButtonSymbol;

// Local coordinates of the 36 x 34 box.
const QPointF face_centre{18.0, 17.0};
constexpr qreal rim_radius = 16.0;
constexpr qreal body_radius = 13.8;

struct FaceColours {
    QColor rim_top;
    QColor rim_bottom;
    QColor body_light;
    QColor body_mid;
    QColor body_dark;
    QColor symbol;
    QColor symbol_halo;  // a glow when lit, a drop shadow when resting
    int inner_glow_alpha;
    int gloss_alpha;
};

FaceColours colours_of(ButtonLook look) {
    if (look == ButtonLook::lit) {
        return {{235, 248, 255},
                {40, 130, 255},
                {120, 190, 255},
                {45, 105, 240},
                {18, 42, 160},
                {255, 255, 255},
                {170, 230, 255},
                70,
                125};
    }
    return {{112, 128, 228},
            {10, 15, 70},
            {78, 98, 228},
            {38, 52, 186},
            {18, 25, 112},
            {206, 216, 250},
            {6, 10, 50},
            0,
            80};
}

QPainterPath stroked(const QPainterPath& line, qreal width) {
    QPainterPathStroker stroker;
    stroker.setWidth(width);
    stroker.setCapStyle(Qt::RoundCap);
    stroker.setJoinStyle(Qt::RoundJoin);
    return stroker.createStroke(line);
}

QPainterPath cross_shape() {
    QPainterPath lines;
    lines.moveTo(12.5, 11.5);
    lines.lineTo(23.5, 22.5);
    lines.moveTo(23.5, 11.5);
    lines.lineTo(12.5, 22.5);
    return stroked(lines, 3.2);
}

QPainterPath dash_shape() {
    QPainterPath line;
    line.moveTo(11.5, 17.0);
    line.lineTo(24.5, 17.0);
    return stroked(line, 3.4);
}

// Three by three small tiles, like a board.
QPainterPath grid_shape() {
    QPainterPath tiles;
    constexpr qreal tile = 3.6;
    constexpr qreal pitch = 4.8;
    const qreal left = face_centre.x() - (2 * pitch + tile) / 2;
    const qreal top = face_centre.y() - (2 * pitch + tile) / 2;
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column) {
            tiles.addRoundedRect(QRectF(left + column * pitch, top + row * pitch, tile, tile), 0.8,
                                 0.8);
        }
    }
    return tiles;
}

QPainterPath unequal_shape() {
    QPainterPath lines;
    lines.moveTo(11.5, 14.0);
    lines.lineTo(24.5, 14.0);
    lines.moveTo(11.5, 20.5);
    lines.lineTo(24.5, 20.5);
    lines.moveTo(21.5, 9.5);
    lines.lineTo(14.5, 25.0);
    return stroked(lines, 2.6);
}

QPainterPath question_shape() {
    QPainterPath glyph;
    glyph.addText(0, 0, sans_font(21, QFont::Black), QStringLiteral("?"));
    const QRectF bounds = glyph.boundingRect();
    return glyph.translated(face_centre - bounds.center());
}

QPainterPath symbol_shape(ButtonSymbol symbol) {
    switch (symbol) {
        case ButtonSymbol::cross:
            return cross_shape();
        case ButtonSymbol::dash:
            return dash_shape();
        case ButtonSymbol::grid:
            return grid_shape();
        case ButtonSymbol::unequal:
            return unequal_shape();
        case ButtonSymbol::question:
            return question_shape();
    }
    return {};
}

QPainterPath circle(qreal radius) {
    QPainterPath path;
    path.addEllipse(face_centre, radius, radius);
    return path;
}

void draw_rim(QPainter& painter, const FaceColours& colours) {
    QLinearGradient rim(0, face_centre.y() - rim_radius, 0, face_centre.y() + rim_radius);
    rim.setColorAt(0, colours.rim_top);
    rim.setColorAt(1, colours.rim_bottom);
    painter.fillPath(circle(rim_radius), rim);
}

void draw_body(QPainter& painter, const FaceColours& colours) {
    QRadialGradient body(face_centre.x(), face_centre.y() + 2, body_radius + 2, face_centre.x() - 3,
                         face_centre.y() - 6);
    body.setColorAt(0, colours.body_light);
    body.setColorAt(0.55, colours.body_mid);
    body.setColorAt(1, colours.body_dark);
    painter.fillPath(circle(body_radius), body);
    if (colours.inner_glow_alpha > 0) {
        QRadialGradient glow(face_centre, body_radius);
        glow.setColorAt(0, QColor(255, 255, 255, colours.inner_glow_alpha));
        glow.setColorAt(1, QColor(255, 255, 255, 0));
        painter.fillPath(circle(body_radius), glow);
    }
}

void draw_symbol(QPainter& painter, ButtonSymbol symbol, ButtonLook look,
                 const FaceColours& colours) {
    const QPainterPath shape = symbol_shape(symbol);
    if (look == ButtonLook::lit) {
        painter.fillPath(stroked(shape, 4.2), with_alpha(colours.symbol_halo, 60));
        painter.fillPath(stroked(shape, 2.0), with_alpha(colours.symbol_halo, 140));
    } else {
        painter.fillPath(shape.translated(0.0, 1.0), with_alpha(colours.symbol_halo, 150));
    }
    painter.fillPath(shape, colours.symbol);
}

// The glassy reflection over the upper half of the face.
void draw_gloss(QPainter& painter, const FaceColours& colours) {
    const QRectF area(face_centre.x() - 10.5, face_centre.y() - body_radius + 0.8, 21.0, 12.5);
    QLinearGradient gloss(area.topLeft(), area.bottomLeft());
    gloss.setColorAt(0, QColor(255, 255, 255, colours.gloss_alpha));
    gloss.setColorAt(1, QColor(255, 255, 255, 0));
    QPainterPath ellipse;
    ellipse.addEllipse(area);
    painter.fillPath(ellipse, gloss);
}

}  // namespace

void draw_button_face(QPainter& painter, QPointF top_left, ButtonSymbol symbol, ButtonLook look) {
    const FaceColours colours = colours_of(look);
    painter.save();
    painter.translate(top_left);
    use_smooth_rendering(painter);
    draw_rim(painter, colours);
    draw_body(painter, colours);
    draw_symbol(painter, symbol, look, colours);
    draw_gloss(painter, colours);
    painter.restore();
}

QImage button_face(ButtonSymbol symbol, ButtonLook look) {
    QImage face = new_canvas(layout::button_width, layout::button_height);
    QPainter painter(&face);
    draw_button_face(painter, {0, 0}, symbol, look);
    return face;
}
