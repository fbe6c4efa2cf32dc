// A preview to judge the pictures by eye: a mock screenshot of the window over a grey desktop
// (a board in the well, a lit button, chart bars, the score table) and every picture enlarged.
#pragma once

#include <QImage>
#include <QString>
#include <vector>

#include "tools/artwork/picture_set.h"

QImage preview_picture(const std::vector<NamedPicture>& pictures);

bool write_preview(const std::vector<NamedPicture>& pictures, const QString& path);
