// The program's arguments as UTF-8 texts, whatever the system hands main.
#pragma once

#include <string>
#include <vector>

struct ProgramArguments {
    std::vector<std::string> texts;
    std::vector<const char*> pointers;  // into texts, as main's argv (without its final null)
};

ProgramArguments program_arguments(int argc, char** argv);
