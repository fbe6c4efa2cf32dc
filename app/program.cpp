// Start-up: a fresh state, the platform, the MIDI output and its instruments, the main window
// and its loop, and the end.
#include "app/program.h"

#include <cstdio>

#include "app/host_window_run.h"
#include "app/main_window.h"
#include "app/tray.h"
#include "game/board_widget.h"
#include "panels/help_panel.h"
#include "panels/text_label.h"
#include "panels/tooltip.h"
#include "platform/shell.h"
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

}  // namespace

int run_program() {
    zero_program_state();
    if (!platform::platform_start()) {
        std::fputs("vormelin: no display to show the game on\n", stderr);
        return 1;
    }
    midi_open();
    choose_instruments();
    host_window_run(0, 700, 550, "Vormelin", "Fond", main_window_proc, 1);
    zero_program_state();
    platform::platform_stop();
    return 0;
}
