// vormelin_artwork: draws the program's pictures without a display.
//   vormelin_artwork FOLDER            writes FOND.png, BF.png, ..., SYSTRAY.png into FOLDER, and
//                                      the second set FOND@2x.png, ..., SYSTRAY@2x.png
//   vormelin_artwork --icons FOLDER    writes the desktop entry's icon, 16.png to 512.png, into
//                                      FOLDER
//   vormelin_artwork --preview FILE    writes a preview to look at (a mock screenshot, every
//                                      picture enlarged and the icon at every size)
//   vormelin_artwork --simulate FILE   writes FILE as colour-blind players see it, beside it:
//                                      NAME-protanopia.png, ..., NAME-achromatopsia.png
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <cstdio>
#include <cstring>

#include "tools/artwork/colour_vision.h"
#include "tools/artwork/drawing_kit.h"
#include "tools/artwork/picture_checks.h"
#include "tools/artwork/picture_set.h"
#include "tools/artwork/preview.h"

namespace {

bool write_simulations(const QString& path) {
    const QImage picture(path);
    if (picture.isNull()) {
        std::fprintf(stderr, "vormelin_artwork: cannot read %s\n", qPrintable(path));
        return false;
    }
    const QFileInfo file(path);
    for (Vision vision : all_visions) {
        if (vision == Vision::normal) {
            continue;
        }
        const QString seen_path =
            file.dir().filePath(file.completeBaseName() + QLatin1Char('-') +
                                QLatin1String(vision_name(vision)) + QStringLiteral(".png"));
        if (!save_png(seen_picture(picture, vision), seen_path)) {
            std::fprintf(stderr, "vormelin_artwork: cannot write %s\n", qPrintable(seen_path));
            return false;
        }
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    // Drawing needs fonts but no screen.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);

    const bool preview = argc == 3 && std::strcmp(argv[1], "--preview") == 0;
    const bool simulate = argc == 3 && std::strcmp(argv[1], "--simulate") == 0;
    const bool icons = argc == 3 && std::strcmp(argv[1], "--icons") == 0;
    if (argc != 2 && !preview && !simulate && !icons) {
        std::fprintf(stderr,
                     "usage: vormelin_artwork FOLDER\n"
                     "       vormelin_artwork --icons FOLDER\n"
                     "       vormelin_artwork --preview FILE.png\n"
                     "       vormelin_artwork --simulate FILE.png\n");
        return 2;
    }
    if (simulate) {
        return write_simulations(QString::fromLocal8Bit(argv[2])) ? 0 : 1;
    }
    const auto pictures = all_pictures();
    const auto icon_set = desktop_icons();
    if (!pictures_fit_the_window(pictures) || !icons_fit_their_sizes(icon_set)) {
        return 1;
    }
    bool written = false;
    if (preview) {
        written = write_preview(pictures, icon_set, QString::fromLocal8Bit(argv[2]));
    } else if (icons) {
        written = write_pictures(icon_set, QString::fromLocal8Bit(argv[2]));
    } else {
        const auto dense = dense_pictures();
        const QString folder = QString::fromLocal8Bit(argv[1]);
        written = dense_sizes_fit(pictures, dense) && write_pictures(pictures, folder) &&
                  write_pictures(dense, folder);
    }
    return written ? 0 : 1;
}
