// A preview to judge the pictures by eye: a mock screenshot of the window over a grey desktop
// (a board in the well, a lit button, chart bars, the score table), every picture enlarged, and
// the desktop icon at every size, as it is and (the small ones) enlarged.
#pragma once

#include <QImage>
#include <QString>
#include <vector>

#include "tools/artwork/picture_set.h"

QImage preview_picture(const std::vector<NamedPicture>& pictures,
                       const std::vector<NamedPicture>& icons);

bool write_preview(const std::vector<NamedPicture>& pictures,
                   const std::vector<NamedPicture>& icons, const QString& path);
