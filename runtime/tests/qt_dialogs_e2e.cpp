// The name dialog and a message box on the real Qt backend, answered with keys that xdotool
// types on a virtual display, as a player would. Run through scripts/with-xvfb.sh.
#include <spawn.h>
#include <sys/wait.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "platform/message_queue.h"
#include "platform/shell.h"
#include "platform/window.h"
#include "runtime/dialogs.h"

extern char** environ;

namespace {

// The player: waits for each window to be on the screen, gives it the keyboard and answers.
constexpr const char* player_script =
    "set -e\n"
    "xdotool search --sync --onlyvisible --name '^Vormelin$' windowfocus --sync\n"
    "xdotool type --delay 40 ' Lou'\n"
    "xdotool key Return\n"
    "xdotool search --sync --onlyvisible --name '^Fin de la partie$' windowfocus --sync\n"
    "xdotool key Return\n";

constexpr std::uint32_t give_up_timer = 1;
constexpr std::uint32_t give_up_after_ms = 10000;

// Started before the dialog, so that it is waiting when the dialog appears; `timeout` ends it
// (and the xdotool it runs) should a window never come.
pid_t start_player() {
    const char* argv[] = {"timeout", "10", "sh", "-c", player_script, nullptr};
    pid_t pid = 0;
    if (posix_spawnp(&pid, "timeout", nullptr, nullptr, const_cast<char* const*>(argv), environ) !=
        0) {
        return 0;
    }
    return pid;
}

// Should the keys never arrive, a quit request ends the dialog and the box.
void give_up(platform::WindowHandle, std::uint32_t, std::uint32_t, std::uint32_t) {
    std::fputs("qt_dialogs_e2e: no answer in time\n", stderr);
    platform::post_quit_message(1);
}

bool check(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "qt_dialogs_e2e: %s\n", what);
    }
    return condition;
}

}  // namespace

int main() {
    if (!platform::platform_start()) {
        std::fputs("qt_dialogs_e2e: no display\n", stderr);
        return 1;
    }
    const pid_t player = start_player();
    if (player == 0) {
        std::fputs("qt_dialogs_e2e: cannot start xdotool\n", stderr);
        return 1;
    }
    platform::set_timer(0, give_up_timer, give_up_after_ms, give_up);

    const std::string name = show_input_requester("Vormelin", "Saisissez votre nom :", "Anne");
    const std::int32_t answer = show_message("Fin de la partie", "Il vous reste 37 briques");

    platform::kill_timer(0, give_up_timer);
    int status = 0;
    waitpid(player, &status, 0);

    bool passed = true;
    passed &= check(name == "Anne Lou", ("typed name: \"" + name + "\"").c_str());
    passed &= check(answer == platform::message_box_result_ok, "the box did not answer OK");
    passed &= check(!platform::window_class_exists("InputRequester"), "the class is left");
    passed &= check(platform::thread_windows().empty(), "a window is left");
    passed &= check(WIFEXITED(status) && WEXITSTATUS(status) == 0, "xdotool failed");
    platform::platform_stop();
    return passed ? 0 : 1;
}
