// The notification-area icon: a small square of cells that still reads at 16 pixels.
#pragma once

#include <QImage>

QImage tray_icon_picture();  // 32 x 32
