// The game's executable: the command line is answered before anything of the platform starts.
#include "app/command_line.h"
#include "app/program.h"

int main(int argc, char** argv) {
    CommandLine line;
    if (const int code = answer_command_line(argc, argv, line); code >= 0) {
        return code;
    }
    return run_program(line);
}
