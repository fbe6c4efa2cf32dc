// Checks of the drawn pictures against what the window relies on, run before they are written.
#pragma once

#include <vector>

#include "tools/artwork/picture_set.h"

// Prints every broken expectation and returns false if there is one.
bool pictures_fit_the_window(const std::vector<NamedPicture>& pictures);

// The desktop icons, named by their size: each is exactly that many pixels square, and each of its
// four cells shows (has opaque pixels) at every size, the smallest included.
bool icons_fit_their_sizes(const std::vector<NamedPicture>& icons);
