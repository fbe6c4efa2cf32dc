// On POSIX systems main's arguments are the bytes the caller gave: UTF-8 on the desktop.
#include "app/program_arguments.h"

ProgramArguments program_arguments(int argc, char** argv) {
    ProgramArguments arguments;
    arguments.texts.assign(argv, argv + argc);
    for (const std::string& text : arguments.texts) {
        arguments.pointers.push_back(text.c_str());
    }
    return arguments;
}
