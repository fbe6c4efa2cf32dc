// Every picture that the program carries, by resource name, the icons of its desktop entry, and
// writing them as PNG files.
#include "tools/artwork/picture_set.h"

#include <QDir>
#include <cstdio>

#include "tools/artwork/app_icon.h"
#include "tools/artwork/background.h"
#include "tools/artwork/button_face.h"
#include "tools/artwork/cells.h"
#include "tools/artwork/drawing_kit.h"
#include "tools/artwork/layout.h"

std::vector<NamedPicture> all_pictures() {
    std::vector<NamedPicture> pictures;
    pictures.push_back({QStringLiteral("FOND"), background_picture()});
    for (const layout::ButtonPlace& place : layout::buttons) {
        pictures.push_back(
            {QString::fromLatin1(place.hover_picture), button_face(place.symbol, ButtonLook::lit)});
    }
    for (std::size_t i = 0; i < brick_looks.size(); ++i) {
        pictures.push_back({QStringLiteral("B%1").arg(i + 1), brick_picture(brick_looks[i])});
    }
    pictures.push_back({QStringLiteral("B5"), ball_picture()});
    pictures.push_back({QStringLiteral("SYSTRAY"), app_icon_picture(32)});
    return pictures;
}

std::vector<NamedPicture> dense_pictures() {
    const int previous = drawing_scale();
    set_drawing_scale(dense_scale);
    std::vector<NamedPicture> pictures = all_pictures();
    set_drawing_scale(previous);
    for (NamedPicture& named : pictures) {
        named.name += QStringLiteral("@2x");
    }
    return pictures;
}

bool dense_sizes_fit(const std::vector<NamedPicture>& pictures,
                     const std::vector<NamedPicture>& dense) {
    bool fit = pictures.size() == dense.size();
    for (std::size_t i = 0; fit && i < pictures.size(); ++i) {
        if (dense[i].picture.size() != pictures[i].picture.size() * dense_scale) {
            std::fprintf(stderr, "vormelin_artwork: %s: not twice the size of %s\n",
                         qPrintable(dense[i].name), qPrintable(pictures[i].name));
            fit = false;
        }
    }
    return fit;
}

std::vector<NamedPicture> desktop_icons() {
    std::vector<NamedPicture> icons;
    for (const int size : desktop_icon_sizes) {
        icons.push_back({QString::number(size), app_icon_picture(size)});
    }
    return icons;
}

bool write_pictures(const std::vector<NamedPicture>& pictures, const QString& folder) {
    const QDir directory(folder);
    for (const NamedPicture& named : pictures) {
        const QString path = directory.filePath(named.name + QStringLiteral(".png"));
        if (!save_png(named.picture, path)) {
            std::fprintf(stderr, "vormelin_artwork: cannot write %s\n", qPrintable(path));
            return false;
        }
    }
    return true;
}
