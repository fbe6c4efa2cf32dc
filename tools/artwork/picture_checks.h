// Checks of the drawn pictures against what the window relies on, run before they are written.
#pragma once

#include <vector>

#include "tools/artwork/picture_set.h"

// Prints every broken expectation and returns false if there is one.
bool pictures_fit_the_window(const std::vector<NamedPicture>& pictures);
