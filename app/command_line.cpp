// The command line: --help, --version, --from-menu, and refusing anything else.
#include "app/command_line.h"

#include <cstdio>
#include <vector>

namespace {

constexpr int exit_refused = 2;

// 0 once the text is out; 1 when the standard output refused it (closed, a full disk).
int print(const std::string& text) {
    std::fputs(text.c_str(), stdout);
    return std::fflush(stdout) == 0 && std::ferror(stdout) == 0 ? 0 : 1;
}

CommandLine refused(std::string complaint) {
    return {.action = CommandLine::Action::refuse, .complaint = std::move(complaint)};
}

}  // namespace

CommandLine parse_command_line(std::span<const std::string_view> arguments) {
    CommandLine line;
    for (const std::string_view argument : arguments) {
        if (argument == "--help" || argument == "-h") {
            line.action = CommandLine::Action::help;
        } else if (argument == "--version") {
            if (line.action != CommandLine::Action::help) {
                line.action = CommandLine::Action::version;
            }
        } else if (argument == "--from-menu") {
            line.from_menu = true;
        } else if (argument.starts_with('-') && argument.size() > 1) {
            return refused("vormelin: unknown option '" + std::string(argument) + "'");
        } else {
            return refused("vormelin: unexpected argument '" + std::string(argument) + "'");
        }
    }
    return line;
}

std::string usage_text() {
    return "Usage: vormelin [--from-menu]\n"
           "       vormelin --help | --version\n"
           "A tile puzzle: clear the board by clicking groups of bricks of the same colour.\n"
           "  --from-menu  keep the score table in $XDG_DATA_HOME/vormelin instead of the\n"
           "               current folder (what the desktop's menu runs)\n"
           "  -h, --help   show this help and end\n"
           "  --version    show the version and end\n"
           "\n"
           "Utilisation : vormelin [--from-menu]\n"
           "              vormelin --help | --version\n"
           "Un jeu de briques : videz le tableau en cliquant sur les groupes de m\u00eame "
           "couleur.\n"
           "  --from-menu  garder la liste des scores dans $XDG_DATA_HOME/vormelin plut\u00f4t\n"
           "               que dans le dossier courant (ce que lance le menu du bureau)\n"
           "  -h, --help   afficher cette aide et terminer\n"
           "  --version    afficher la version et terminer\n";
}

std::string version_text() {
    return std::string("vormelin ") + VORMELIN_VERSION + "\n";
}

int answer_command_line(int argc, const char* const* argv, CommandLine& line) {
    const std::vector<std::string_view> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
    line = parse_command_line(arguments);
    switch (line.action) {
        case CommandLine::Action::play:
            return -1;
        case CommandLine::Action::help:
            return print(usage_text());
        case CommandLine::Action::version:
            return print(version_text());
        case CommandLine::Action::refuse:
            std::fprintf(stderr, "%s\n%s", line.complaint.c_str(), usage_text().c_str());
            return exit_refused;
    }
    return exit_refused;
}
