// vormelin_artwork: draws the program's pictures without a display.
//   vormelin_artwork FOLDER            writes FOND.png, BF.png, ..., SYSTRAY.png into FOLDER
//   vormelin_artwork --preview FILE    writes a preview to look at (a mock screenshot and
//                                      every picture enlarged)
#include <QGuiApplication>
#include <cstdio>
#include <cstring>

#include "tools/artwork/picture_checks.h"
#include "tools/artwork/picture_set.h"
#include "tools/artwork/preview.h"

int main(int argc, char** argv) {
    // Drawing needs fonts but no screen.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);

    const bool preview = argc == 3 && std::strcmp(argv[1], "--preview") == 0;
    if (argc != 2 && !preview) {
        std::fprintf(stderr,
                     "usage: vormelin_artwork FOLDER\n"
                     "       vormelin_artwork --preview FILE.png\n");
        return 2;
    }
    const auto pictures = all_pictures();
    if (!pictures_fit_the_window(pictures)) {
        return 1;
    }
    const bool written = preview ? write_preview(pictures, QString::fromLocal8Bit(argv[2]))
                                 : write_pictures(pictures, QString::fromLocal8Bit(argv[1]));
    return written ? 0 : 1;
}
