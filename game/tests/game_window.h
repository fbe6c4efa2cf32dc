// The board, its help panel and the panel's label in a host window on the test backend, as the
// main window makes them, with cells drawn in plain colours so that pixels are easy to check.
#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "game/board.h"
#include "panels/help_panel.h"
#include "panels/text_label.h"
#include "platform/graphics.h"
#include "widgets/tests/widget_fixture.h"

inline constexpr platform::Argb background_colour = 0xFF204020;
// The plain colour that stands for each cell code (index 0 unused).
inline constexpr std::array<platform::Argb, 6> cell_colours{0,          0xFF8030C0, 0xFFD02020,
                                                            0xFF20B020, 0xFF2040D0, 0xFFF0D000};

class GameWindowTest : public WidgetTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // Opens the window in a fresh working directory (no score file unless the test wrote one).
    void open_game();
    // The colour the last picture shows at a client point.
    platform::Argb shown(platform::Point point) const;
    std::size_t update_count() const;
    // Sets every cell of the board as played from rows written top row first, one character
    // per cell: '.' empty, '1' to '5' the codes.
    void set_cells(const std::vector<std::string>& rows_top_first);
    // Shows the help panel as the help command does.
    void show_help();

    BoardRecord* board = nullptr;
    HelpPanel* help = nullptr;
    TextLabel* label = nullptr;

private:
    std::filesystem::path previous_directory_;
    std::filesystem::path directory_;
};
