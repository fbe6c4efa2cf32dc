// The round faces of the five window buttons: a calm resting face (part of the background
// picture) and a lit face shown while the pointer is on the button.
#pragma once

#include <QImage>
#include <QPainter>
#include <QPointF>

#include "tools/artwork/layout.h"

enum class ButtonLook { resting, lit };

// Draws the face into the 36 x 34 box whose top-left corner is `top_left`.
void draw_button_face(QPainter& painter, QPointF top_left, layout::ButtonSymbol symbol,
                      ButtonLook look);

// The face alone on a transparent 36 x 34 picture.
QImage button_face(layout::ButtonSymbol symbol, ButtonLook look);
