// Checks of the drawn pictures against what the window relies on, run before they are written.
#pragma once

#include <vector>

#include "tools/artwork/picture_set.h"

// The least mean CIEDE2000 difference between two bricks, over the pixels opaque in both, with
// normal vision, each dichromacy and greyscale vision: below it some players could not tell the
// bricks apart.
inline constexpr double least_brick_difference = 10.0;

// Prints every broken expectation and returns false if there is one; this includes
// bricks_look_apart.
bool pictures_fit_the_window(const std::vector<NamedPicture>& pictures);

// Whether "B1" to "B4" differ by least_brick_difference for every vision; prints the pairs that
// do not.
bool bricks_look_apart(const std::vector<NamedPicture>& pictures);

// The desktop icons, named by their size: each is exactly that many pixels square, and each of its
// four cells shows (has opaque pixels) at every size, the smallest included.
bool icons_fit_their_sizes(const std::vector<NamedPicture>& icons);
