// The background picture of the window: the blue frame with its soft shadow, the board's well,
// the title, the chart and score panels, the resting faces of the buttons and a tagline.
#pragma once

#include <QImage>

QImage background_picture();  // 700 x 550
