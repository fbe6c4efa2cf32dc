// An icon of the window system made from an embedded picture and, where there is one, its
// second set drawn at twice the size (NAME@2x), so that it stays sharp on dense screens.
#pragma once

#include <QIcon>

#include <string_view>

namespace platform::qt {

// The icon of the picture named `name`; a null icon when there is no such picture.
QIcon resource_icon(std::string_view name);

}  // namespace platform::qt
