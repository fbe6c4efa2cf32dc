// The pictures of the board's cells: square bricks in four colours, each with an emblem of its
// own, and the yellow ball.
#include "tools/artwork/cells.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QPolygonF>
#include <QRadialGradient>
#include <algorithm>
#include <cmath>

#include "tools/artwork/drawing_kit.h"
#include "tools/artwork/layout.h"

namespace {

// The four bevel faces between the outline `outer` and the face `inner`.
void draw_bevel(QPainter& painter, QRectF outer, QRectF inner, QColor base) {
    const QPolygonF top{{outer.topLeft(), outer.topRight(), inner.topRight(), inner.topLeft()}};
    const QPolygonF left{
        {outer.topLeft(), inner.topLeft(), inner.bottomLeft(), outer.bottomLeft()}};
    const QPolygonF bottom{
        {outer.bottomLeft(), inner.bottomLeft(), inner.bottomRight(), outer.bottomRight()}};
    const QPolygonF right{
        {outer.topRight(), outer.bottomRight(), inner.bottomRight(), inner.topRight()}};
    painter.setPen(Qt::NoPen);
    painter.setBrush(base.lighter(150));
    painter.drawPolygon(top);
    painter.setBrush(base.lighter(122));
    painter.drawPolygon(left);
    painter.setBrush(base.darker(150));
    painter.drawPolygon(bottom);
    painter.setBrush(base.darker(128));
    painter.drawPolygon(right);
}

void draw_brick_face(QPainter& painter, QRectF face, QColor base) {
    QLinearGradient shade(face.topLeft(), face.bottomRight());
    shade.setColorAt(0, base.lighter(118));
    shade.setColorAt(1, base.darker(112));
    painter.fillRect(face, shade);

    // A soft sheen on the upper left of the face.
    QRadialGradient sheen(face.left() + face.width() * 0.3, face.top() + face.height() * 0.28,
                          face.width() * 0.55);
    sheen.setColorAt(0, QColor(255, 255, 255, 95));
    sheen.setColorAt(1, QColor(255, 255, 255, 0));
    painter.fillRect(face, sheen);
}

// The width of the shadow line and the ball's offsets: one pixel up to the board's cell size, and
// in proportion above it (whole pixels, so that large icons stay as sharp as the cells).
qreal pixel_unit(QRectF box) {
    return std::max(1.0, std::round(box.width() / layout::cell_size));
}

// The outline of an emblem centred on `centre`, `size` across. The shapes are sized to look
// equally heavy: the pointed ones reach further than the round and the square one.
QPainterPath emblem_outline(Emblem emblem, QPointF centre, qreal size) {
    QPainterPath path;
    const qreal half = size / 2;
    switch (emblem) {
        case Emblem::diamond: {
            const qreal reach = half * 1.12;
            path.addPolygon(QPolygonF{{centre + QPointF(0, -reach), centre + QPointF(reach, 0),
                                       centre + QPointF(0, reach), centre + QPointF(-reach, 0)}});
            break;
        }
        case Emblem::circle:
            path.addEllipse(centre, half, half);
            break;
        case Emblem::triangle: {
            // Equilateral, pointing up, its centroid a little below the centre so that it sits
            // in the middle to the eye.
            const qreal radius = half * 1.18;
            const QPointF middle = centre + QPointF(0, radius * 0.12);
            path.addPolygon(QPolygonF{{middle + QPointF(0, -radius),
                                       middle + QPointF(radius * 0.866, radius * 0.5),
                                       middle + QPointF(-radius * 0.866, radius * 0.5)}});
            break;
        }
        case Emblem::square: {
            const qreal side = half * 0.86;
            path.addRoundedRect(QRectF(centre - QPointF(side, side), centre + QPointF(side, side)),
                                size * 0.06, size * 0.06);
            break;
        }
    }
    path.closeSubpath();
    return path;
}

// The emblem as if pressed into the face: a fill shaded from top to bottom, a thin edge in the
// brick's own dark tone, and a faint light line along its lower edge.
void draw_emblem(QPainter& painter, QRectF face, const BrickLook& look) {
    const qreal size = face.width() * 0.62;
    const QPainterPath outline = emblem_outline(look.emblem, face.center(), size);
    painter.strokePath(
        outline.translated(0.5, 0.7),
        QPen(QColor(255, 255, 255, 70), 1.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    const QRectF bounds = outline.boundingRect();
    QLinearGradient fill(bounds.topLeft(), bounds.bottomLeft());
    fill.setColorAt(0, look.emblem_colour.lighter(108));
    fill.setColorAt(1, look.emblem_colour.darker(108));
    painter.fillPath(outline, fill);
    painter.strokePath(outline, QPen(with_alpha(look.base.darker(190), 200), 0.9, Qt::SolidLine,
                                     Qt::RoundCap, Qt::RoundJoin));
}

// The brick without its emblem; returns its face.
QRectF draw_plain_brick(QPainter& painter, QRectF box, QColor base) {
    const qreal size = box.width();
    const qreal bevel = size * 0.11;
    const qreal corner = size * 0.08;
    const qreal unit = pixel_unit(box);
    const QRectF body(box.left(), box.top(), size - unit, size - unit);

    painter.save();
    use_smooth_rendering(painter);
    QPainterPath shadow;
    shadow.addRoundedRect(body.translated(unit, unit), corner, corner);
    painter.fillPath(shadow, with_alpha(base.darker(420), 210));

    QPainterPath outline;
    outline.addRoundedRect(body, corner, corner);
    painter.setClipPath(outline);
    const QRectF face = body.adjusted(bevel, bevel, -bevel, -bevel);
    draw_bevel(painter, body, face, base);
    draw_brick_face(painter, face, base);
    painter.restore();
    return face;
}

}  // namespace

void draw_brick(QPainter& painter, QRectF box, QColor base) {
    draw_plain_brick(painter, box, base);
}

void draw_brick(QPainter& painter, QRectF box, const BrickLook& look) {
    const QRectF face = draw_plain_brick(painter, box, look.base);
    painter.save();
    use_smooth_rendering(painter);
    draw_emblem(painter, face, look);
    painter.restore();
}

void draw_ball(QPainter& painter, QRectF box) {
    const qreal unit = pixel_unit(box);
    const QPointF centre = box.center() - QPointF(0.4, 0.6) * unit;
    const qreal radius = box.width() * 0.42;
    const QPointF shadow_offset = QPointF(0.8, 1.6) * unit;
    const qreal shadow_radius = radius + 1.2 * unit;

    painter.save();
    use_smooth_rendering(painter);
    QRadialGradient shadow(centre + shadow_offset, shadow_radius);
    shadow.setColorAt(0.75, QColor(0, 0, 0, 120));
    shadow.setColorAt(1, QColor(0, 0, 0, 0));
    QPainterPath shadow_disc;
    shadow_disc.addEllipse(centre + shadow_offset, shadow_radius, shadow_radius);
    painter.fillPath(shadow_disc, shadow);

    QPainterPath sphere;
    sphere.addEllipse(centre, radius, radius);
    const QPointF light = centre - QPointF(radius * 0.35, radius * 0.42);
    QRadialGradient body(light, radius * 1.5, light);
    body.setColorAt(0, QColor(255, 255, 228));
    body.setColorAt(0.28, QColor(255, 232, 72));
    body.setColorAt(0.68, QColor(242, 178, 0));
    body.setColorAt(1, QColor(150, 84, 0));
    painter.fillPath(sphere, body);

    // Light thrown back from below, which rounds the lower half.
    QRadialGradient bounce(centre + QPointF(radius * 0.25, radius * 0.62), radius * 0.62);
    bounce.setColorAt(0, QColor(255, 238, 150, 110));
    bounce.setColorAt(1, QColor(255, 238, 150, 0));
    painter.fillPath(sphere, bounce);

    painter.strokePath(sphere, QPen(QColor(112, 60, 0, 150), box.width() * 0.03));

    const QPointF spot = centre - QPointF(radius * 0.36, radius * 0.46);
    QRadialGradient specular(spot, radius * 0.38);
    specular.setColorAt(0, QColor(255, 255, 255, 235));
    specular.setColorAt(1, QColor(255, 255, 255, 0));
    QPainterPath spot_disc;
    spot_disc.addEllipse(spot, radius * 0.38, radius * 0.3);
    painter.fillPath(spot_disc, specular);
    painter.restore();
}

QImage brick_picture(const BrickLook& look) {
    QImage picture = new_canvas(layout::cell_size, layout::cell_size);
    QPainter painter(&picture);
    draw_brick(painter, QRectF(0, 0, layout::cell_size, layout::cell_size), look);
    return picture;
}

QImage ball_picture() {
    QImage picture = new_canvas(layout::cell_size, layout::cell_size);
    QPainter painter(&picture);
    draw_ball(painter, QRectF(0, 0, layout::cell_size, layout::cell_size));
    return picture;
}
