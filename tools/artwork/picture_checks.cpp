// Checks of the drawn pictures against what the window relies on, run before they are written.
#include "tools/artwork/picture_checks.h"

#include <array>
#include <cstdio>

#include "tools/artwork/colour_vision.h"
#include "tools/artwork/layout.h"

namespace {

QSize expected_size(const QString& name) {
    if (name == QStringLiteral("FOND")) {
        return {layout::window_width, layout::window_height};
    }
    if (name == QStringLiteral("SYSTRAY")) {
        return {32, 32};
    }
    if (name.size() == 2 && name[1].isDigit()) {
        return {layout::cell_size, layout::cell_size};
    }
    return {layout::button_width, layout::button_height};
}

bool report(const QString& name, const char* problem) {
    std::fprintf(stderr, "vormelin_artwork: %s: %s\n", qPrintable(name), problem);
    return false;
}

// The window has no rectangular outline: every pixel of the canvas edge is fully transparent.
bool edge_is_transparent(const QImage& picture) {
    const int right = picture.width() - 1;
    const int bottom = picture.height() - 1;
    for (int x = 0; x <= right; ++x) {
        if (qAlpha(picture.pixel(x, 0)) != 0 || qAlpha(picture.pixel(x, bottom)) != 0) {
            return false;
        }
    }
    for (int y = 0; y <= bottom; ++y) {
        if (qAlpha(picture.pixel(0, y)) != 0 || qAlpha(picture.pixel(right, y)) != 0) {
            return false;
        }
    }
    return true;
}

// Empty cells show the well, so the whole board area holds the well's one colour.
bool board_area_is_well(const QImage& background) {
    const QColor well(32, 76, 64, 220);
    const QRect board(layout::board_origin, QSize(layout::board_columns * layout::cell_size,
                                                  layout::board_rows * layout::cell_size));
    for (int y = board.top(); y <= board.bottom(); ++y) {
        for (int x = board.left(); x <= board.right(); ++x) {
            const QColor pixel = background.pixelColor(x, y);
            if (qAbs(pixel.red() - well.red()) > 1 || qAbs(pixel.green() - well.green()) > 1 ||
                qAbs(pixel.blue() - well.blue()) > 1 || pixel.alpha() != well.alpha()) {
                return false;
            }
        }
    }
    return true;
}

// The ball ("B5") and the button faces ("BA", "BF", ...) are round.
bool is_round(const QString& name) {
    return name == QStringLiteral("B5") ||
           (name.size() == 2 && name[0] == QLatin1Char('B') && name[1].isLetter());
}

bool corners_are_transparent(const QImage& picture) {
    const int right = picture.width() - 1;
    const int bottom = picture.height() - 1;
    return qAlpha(picture.pixel(0, 0)) == 0 && qAlpha(picture.pixel(right, 0)) == 0 &&
           qAlpha(picture.pixel(0, bottom)) == 0 && qAlpha(picture.pixel(right, bottom)) == 0;
}

const QImage* find_picture(const std::vector<NamedPicture>& pictures, const QString& name) {
    for (const NamedPicture& named : pictures) {
        if (named.name == name) {
            return &named.picture;
        }
    }
    return nullptr;
}

// True when the quarter of `picture` at (column, row) holds at least one opaque pixel.
bool quarter_shows(const QImage& picture, int column, int row) {
    const int half = picture.width() / 2;
    for (int y = row * half; y < (row + 1) * half; ++y) {
        for (int x = column * half; x < (column + 1) * half; ++x) {
            if (qAlpha(picture.pixel(x, y)) == 255) {
                return true;
            }
        }
    }
    return false;
}

}  // namespace

bool bricks_look_apart(const std::vector<NamedPicture>& pictures) {
    constexpr int bricks = 4;
    std::array<const QImage*, bricks> brick{};
    for (int i = 0; i < bricks; ++i) {
        brick[i] = find_picture(pictures, QStringLiteral("B%1").arg(i + 1));
        if (brick[i] == nullptr) {
            std::fprintf(stderr, "vormelin_artwork: B%d: missing\n", i + 1);
            return false;
        }
    }
    bool apart = true;
    for (Vision vision : all_visions) {
        for (int i = 0; i < bricks; ++i) {
            for (int j = i + 1; j < bricks; ++j) {
                const double difference = mean_picture_difference(*brick[i], *brick[j], vision);
                if (difference < least_brick_difference) {
                    std::fprintf(stderr,
                                 "vormelin_artwork: B%d and B%d look too alike with %s vision "
                                 "(mean CIEDE2000 %.1f, at least %.0f needed)\n",
                                 i + 1, j + 1, vision_name(vision), difference,
                                 least_brick_difference);
                    apart = false;
                }
            }
        }
    }
    return apart;
}

bool pictures_fit_the_window(const std::vector<NamedPicture>& pictures) {
    bool fit = true;
    for (const NamedPicture& named : pictures) {
        const QImage straight = named.picture.convertToFormat(QImage::Format_ARGB32);
        if (straight.size() != expected_size(named.name)) {
            fit = report(named.name, "wrong size");
            continue;
        }
        if (named.name == QStringLiteral("FOND")) {
            if (!edge_is_transparent(straight)) {
                fit = report(named.name, "the canvas edge is not fully transparent");
            }
            if (!board_area_is_well(straight)) {
                fit = report(named.name, "the board area is not the plain well colour");
            }
        } else if (is_round(named.name) && !corners_are_transparent(straight)) {
            fit = report(named.name, "the corners of a round picture are not transparent");
        }
    }
    return bricks_look_apart(pictures) && fit;
}

bool icons_fit_their_sizes(const std::vector<NamedPicture>& icons) {
    bool fit = true;
    for (const NamedPicture& named : icons) {
        const QImage straight = named.picture.convertToFormat(QImage::Format_ARGB32);
        const int size = named.name.toInt();
        if (straight.size() != QSize(size, size)) {
            fit = report(named.name, "the icon is not of its size");
            continue;
        }
        for (int row = 0; row < 2; ++row) {
            for (int column = 0; column < 2; ++column) {
                if (!quarter_shows(straight, column, row)) {
                    fit = report(named.name, "a cell of the icon has no opaque pixel");
                }
            }
        }
    }
    return fit;
}
