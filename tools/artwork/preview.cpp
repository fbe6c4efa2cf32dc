// A preview to judge the pictures by eye: a mock screenshot of the window over a grey desktop
// (a board in the well, a lit button, chart bars, the score table), every picture enlarged, and
// the desktop icon at every size, as it is and (the small ones) enlarged.
#include "tools/artwork/preview.h"

#include <QPainter>
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>

#include "tools/artwork/drawing_kit.h"
#include "tools/artwork/layout.h"

namespace {

const QColor desktop_grey{128, 128, 128};
constexpr int margin = 24;
constexpr int zoom = 4;

const QImage& picture_named(const std::vector<NamedPicture>& pictures, const QString& name) {
    static const QImage none;
    for (const NamedPicture& named : pictures) {
        if (named.name == name) {
            return named.picture;
        }
    }
    return none;
}

// A fixed linear congruential sequence, so that every preview shows the same board.
struct PreviewRandom {
    std::uint32_t state = 20070301;
    int below(int bound) {
        state = state * 1664525u + 1013904223u;
        return static_cast<int>((state >> 8) % static_cast<std::uint32_t>(bound));
    }
};

using Cells = std::array<std::array<int, layout::board_rows>, layout::board_columns>;

// A board in mid-game: cells have fallen to the bottom, the outer columns are cleared, and no two
// balls touch.
Cells mid_game_board() {
    PreviewRandom random;
    Cells cells{};
    for (int column = 1; column < layout::board_columns - 1; ++column) {
        const int height = 7 + random.below(layout::board_rows - 6);
        for (int row = 0; row < height; ++row) {
            int code = 1 + random.below(5);
            const bool ball_below = row > 0 && cells[column][row - 1] == 5;
            const bool ball_left = cells[column - 1][row] == 5;
            if (code == 5 && (ball_below || ball_left)) {
                code = 1 + random.below(4);
            }
            cells[column][row] = code;
        }
    }
    return cells;
}

void draw_board(QPainter& painter, QPoint window, const std::vector<NamedPicture>& pictures) {
    const Cells cells = mid_game_board();
    for (int column = 0; column < layout::board_columns; ++column) {
        for (int row = 0; row < layout::board_rows; ++row) {
            const int code = cells[column][row];
            if (code == 0) {
                continue;
            }
            const QPoint at = window + layout::board_origin +
                              QPoint(column, layout::board_rows - 1 - row) * layout::cell_size;
            painter.drawImage(at, picture_named(pictures, QStringLiteral("B%1").arg(code)));
        }
    }
}

void draw_chart_bars(QPainter& painter, QPoint window) {
    const std::array<int, 7> results{62, 41, 55, 28, 47, 19, 33};
    const int largest = *std::max_element(results.begin(), results.end());
    painter.setPen(QPen(QColor(51, 51, 51), 6, Qt::SolidLine, Qt::FlatCap));
    for (std::size_t i = 0; i < results.size(); ++i) {
        const int x = layout::chart_bar_x + layout::chart_bar_step * static_cast<int>(i);
        const int top = layout::chart_bar_bottom - layout::chart_bar_tallest * results[i] / largest;
        painter.drawLine(window + QPoint(x, top), window + QPoint(x, layout::chart_bar_bottom));
    }
}

// White bold text with a faint light halo: four offset copies in a pale translucent grey first.
void draw_glowing_text(QPainter& painter, QPoint at, const QString& text) {
    const QRect box_size(0, 0, 391, 464);
    const auto draw_at = [&](QPoint where, QColor colour) {
        painter.setPen(colour);
        painter.drawText(box_size.translated(where), Qt::AlignLeft | Qt::AlignTop, text);
    };
    const QColor glow(240, 240, 240, 32);
    for (QPoint offset : {QPoint(1, -1), QPoint(-1, 1), QPoint(-1, -1), QPoint(1, 1)}) {
        draw_at(at + offset, glow);
    }
    draw_at(at, Qt::white);
}

void draw_score_rows(QPainter& painter, QPoint window) {
    painter.setFont(sans_font(14, QFont::Bold));
    for (int row = 0; row < layout::score_rows; ++row) {
        const int y = layout::score_row_top + row * layout::score_row_step;
        draw_glowing_text(painter, window + QPoint(layout::score_name_x, y),
                          QStringLiteral("Mr Vormelin"));
        draw_glowing_text(painter, window + QPoint(layout::score_result_x, y),
                          QStringLiteral("224"));
    }
}

// The window as the player sees it, the help button under the pointer.
QImage mock_window(const std::vector<NamedPicture>& pictures) {
    QImage window = new_canvas(layout::window_width, layout::window_height);
    QPainter painter(&window);
    painter.drawImage(0, 0, picture_named(pictures, QStringLiteral("FOND")));
    draw_board(painter, {0, 0}, pictures);
    draw_chart_bars(painter, {0, 0});
    painter.setRenderHint(QPainter::TextAntialiasing);
    draw_score_rows(painter, {0, 0});
    const layout::ButtonPlace& help = layout::buttons[4];
    painter.drawImage(help.top_left,
                      picture_named(pictures, QString::fromLatin1(help.hover_picture)));
    return window;
}

QImage enlarged(const QImage& picture, int factor) {
    return picture.scaled(picture.size() * factor, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

// Draws the pictures side by side, enlarged; returns the height used.
int draw_row(QPainter& painter, QPoint at, const std::vector<QImage>& row, int factor) {
    int x = at.x();
    int height = 0;
    for (const QImage& picture : row) {
        const QImage big = enlarged(picture, factor);
        painter.drawImage(x, at.y(), big);
        x += big.width() + 12;
        height = std::max(height, big.height());
    }
    return height;
}

}  // namespace

QImage preview_picture(const std::vector<NamedPicture>& pictures,
                       const std::vector<NamedPicture>& icons) {
    const QImage window = mock_window(pictures);
    QImage preview(1240, 2240, QImage::Format_ARGB32_Premultiplied);
    preview.fill(desktop_grey);
    QPainter painter(&preview);
    painter.drawImage(margin, margin, window);

    int y = margin + layout::window_height + margin;
    std::vector<QImage> cells;
    for (const char* name : {"B1", "B2", "B3", "B4", "B5"}) {
        cells.push_back(picture_named(pictures, QString::fromLatin1(name)));
    }
    const QImage& tray = picture_named(pictures, QStringLiteral("SYSTRAY"));
    cells.push_back(tray);
    y += draw_row(painter, {margin, y}, cells, zoom) + margin;
    const QImage tray_small = tray.scaled(16, 16, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    painter.drawImage(margin + 6 * 128 + 20, y - margin - 128, tray);
    painter.drawImage(margin + 6 * 128 + 20, y - margin - 80, tray_small);
    painter.drawImage(margin + 6 * 128 + 20, y - margin - 56, enlarged(tray_small, 3));

    std::vector<QImage> lit;
    std::vector<QImage> resting;
    for (const layout::ButtonPlace& place : layout::buttons) {
        lit.push_back(picture_named(pictures, QString::fromLatin1(place.hover_picture)));
        resting.push_back(picture_named(pictures, QStringLiteral("FOND"))
                              .copy(QRect(place.top_left, QSize(36, 34))));
    }
    y += draw_row(painter, {margin, y}, resting, zoom) + margin;
    y += draw_row(painter, {margin, y}, lit, zoom) + margin;

    // A corner of the board and the top of the score table at three times their size.
    const QRect board_corner(layout::board_origin.x(), 495 - 4 * 29, 6 * 29, 4 * 29 + 5);
    const QRect score_top(463, 163, 195, 70);
    y += draw_row(painter, {margin, y}, {window.copy(board_corner), window.copy(score_top)}, 3) +
         margin;

    // The desktop icon at its own sizes, then the four smallest at four times their size, where
    // a blurred edge would show.
    std::vector<QImage> natural;
    std::vector<QImage> small;
    for (const NamedPicture& icon : icons) {
        natural.push_back(icon.picture);
        if (icon.picture.width() <= 48) {
            small.push_back(icon.picture);
        }
    }
    y += draw_row(painter, {margin, y}, natural, 1) + margin;
    draw_row(painter, {margin, y}, small, zoom);
    return preview;
}

bool write_preview(const std::vector<NamedPicture>& pictures,
                   const std::vector<NamedPicture>& icons, const QString& path) {
    if (!preview_picture(pictures, icons).save(path, "png")) {
        std::fprintf(stderr, "vormelin_artwork: cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}
