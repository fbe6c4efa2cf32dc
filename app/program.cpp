// Start-up: the score table's folder, a fresh state, the platform, the claim of the folder, the
// MIDI output and its instruments, the main window and its loop, and the end.
#include "app/program.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/host_window_run.h"
#include "app/main_window.h"
#include "app/scores_folder.h"
#include "app/test_seed.h"
#include "app/tray.h"
#include "game/board_widget.h"
#include "panels/help_panel.h"
#include "panels/text_label.h"
#include "panels/tooltip.h"
#include "platform/shell.h"
#include "platform/single_instance.h"
#include "runtime/dialogs.h"
#include "scores/score_table.h"
#include "sound/midi.h"
#include "widgets/picture_button.h"
#include "widgets/widget.h"

void zero_program_state() {
    reset_widgets();
    button_list().clear();
    reset_tooltips();
    label_list().clear();
    help_list().clear();
    board_list().clear();
    reset_main_window();
    tray_icon = TrayIconRecord{};
    set_score_panel_redraw(nullptr);
    midi_forget();
}

namespace {

// Channel 0 strikes the falls and close-ups, channel 2 the end of a game.
void choose_instruments() {
    midi_program(0, 13);  // xylophone
    midi_program(1, 11);  // vibraphone
    midi_program(2, 55);  // orchestra hit
}

constexpr const char* problem_caption = "Probl\xE8me";  // Windows-1252

// The working folder, where the score table lives: the user's data folder for a start from the
// menu. What went wrong there is returned, to be told once the platform can show it; the game then
// plays in the folder it was started in.
std::string choose_scores_folder(const CommandLine& line) {
    if (!line.from_menu) {
        return {};
    }
    return enter_menu_scores_folder(std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
}

// Whether this start is the game of its folder; otherwise the exit code of the start.
int claim_scores_folder() {
    switch (platform::claim_folder(".")) {
        case platform::FolderClaim::claimed:
        case platform::FolderClaim::unavailable:
            return -1;
        case platform::FolderClaim::handed_over:
            return 0;
        case platform::FolderClaim::held_elsewhere:
            break;
    }
    std::fputs("vormelin: another game keeps its score table in this folder and does not answer\n",
               stderr);
    return 1;
}

}  // namespace

int run_program(const CommandLine& line) {
    zero_program_state();
    apply_test_seed();
    const std::string folder_problem = choose_scores_folder(line);
    if (!platform::platform_start({.desktop_id = VORMELIN_APP_ID, .icon_resource = "SYSTRAY"})) {
        std::fputs("vormelin: no display to show the game on\n", stderr);
        return 1;
    }
    if (const int code = claim_scores_folder(); code >= 0) {
        platform::platform_stop();
        return code;
    }
    if (!folder_problem.empty()) {
        show_message_box(problem_caption, folder_problem, platform::message_box_ok);
    }
    midi_open();
    choose_instruments();
    host_window_run(0, 700, 550, "Vormelin", "Fond", main_window_proc, 1);
    zero_program_state();
    platform::release_folder();
    platform::platform_stop();
    return 0;
}
