// Small drawing helpers shared by the pictures: canvases, fonts, soft shadows and PNG output.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QRectF>
#include <QString>

// The pictures are drawn for screens with this many device pixels per pixel (1 by default):
// every canvas then holds scale × scale pixels for each pixel of the drawing's coordinates.
void set_drawing_scale(int scale);
int drawing_scale();

// A transparent canvas in premultiplied ARGB, the format QPainter draws fastest into, of the
// given size at the drawing scale (its device pixel ratio), so that a QPainter on it takes the
// same coordinates at every scale.
QImage new_canvas(int width, int height);

// Antialiased shapes, text and scaled pictures.
void use_smooth_rendering(QPainter& painter);

// Liberation Sans (the family that fontconfig also gives for "Arial") at a size in pixels.
QFont sans_font(int pixel_size, QFont::Weight weight, QFont::Style style = QFont::StyleNormal);

// The colour with its alpha replaced (0 to 255).
QColor with_alpha(QColor colour, int alpha);

// A soft shadow of a rounded rectangle: `colour` with `peak_alpha` under the shape, fading to
// nothing `spread` pixels outside it. Computed from the distance to the shape, so that pixels
// farther than `spread` stay exactly transparent.
QImage rounded_rect_shadow(QSize size, QRectF shape, qreal radius, qreal spread, QColor colour,
                           int peak_alpha);

// Writes the picture as a straight-alpha RGBA PNG; the same picture always gives the same bytes.
bool save_png(const QImage& picture, const QString& path);
