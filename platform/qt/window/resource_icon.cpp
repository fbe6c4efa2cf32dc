// Icons from the embedded pictures.
#include "platform/qt/window/resource_icon.h"

#include <QPixmap>

#include <string>

#include "resources/resources.h"

namespace platform::qt {
namespace {

void add_picture(QIcon& icon, std::string_view name) {
    const auto bytes = find_resource(name);
    QPixmap picture;
    if (!bytes.empty() &&
        picture.loadFromData(bytes.data(), static_cast<uint>(bytes.size()), "PNG")) {
        icon.addPixmap(picture);
    }
}

}  // namespace

QIcon resource_icon(std::string_view name) {
    QIcon icon;
    add_picture(icon, name);
    if (!icon.isNull()) {
        add_picture(icon, std::string(name) + "@2x");
    }
    return icon;
}

}  // namespace platform::qt
