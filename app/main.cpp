// The game's executable: the command line is answered before anything of the platform starts.
#include "app/command_line.h"
#include "app/program.h"
#include "app/program_arguments.h"

int main(int argc, char** argv) {
    const ProgramArguments arguments = program_arguments(argc, argv);
    CommandLine line;
    if (const int code = answer_command_line(static_cast<int>(arguments.pointers.size()),
                                             arguments.pointers.data(), line);
        code >= 0) {
        return code;
    }
    return run_program(line);
}
