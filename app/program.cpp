// Start-up: a fresh state, the platform, the main window and its loop, and the end.
#include "app/program.h"

#include <cstdio>

#include "app/host_window_run.h"
#include "app/main_window.h"
#include "platform/shell.h"
#include "widgets/picture_button.h"
#include "widgets/widget.h"

namespace {

void zero_program_state() {
    reset_widgets();
    button_list().clear();
}

}  // namespace

int run_program() {
    zero_program_state();
    if (!platform::platform_start()) {
        std::fputs("vormelin: no display to show the game on\n", stderr);
        return 1;
    }
    host_window_run(0, 700, 550, "Vormelin", "Fond", main_window_proc, 1);
    zero_program_state();
    platform::platform_stop();
    return 0;
}
