// The command line: what the player asked for, and the texts printed for it.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

struct CommandLine {
    enum class Action : std::uint8_t {
        play,
        help,     // print the usage on the standard output, end with 0
        version,  // print the version on the standard output, end with 0
        refuse,   // print the complaint and the usage on the standard error, end with 2
    };
    Action action = Action::play;
    // Started from the desktop's menu: the score table lives in the user's data folder.
    bool from_menu = false;
    std::string complaint;  // one line, for refuse
};

// Reads the arguments that follow the program's name. A request for help or the version wins
// over everything else but an argument the program does not know, which is refused.
CommandLine parse_command_line(std::span<const std::string_view> arguments);

// The usage, in English then French, UTF-8, ending in a newline.
std::string usage_text();
// "vormelin 1.0.0\n".
std::string version_text();

// Parses, prints what is asked for and returns the exit code for help, the version (1 when the
// text could not be written) or a refusal; -1 with the command line in `line` when the game is
// to run.
int answer_command_line(int argc, const char* const* argv, CommandLine& line);
