// The program from its start to its end.
#pragma once

#include "app/command_line.h"

// Prepares the services, runs the main window until it is closed, releases everything, and
// returns the exit code. Started from the menu, the game first moves to the user's score folder.
// When another game already keeps its score table in the folder, that game is asked to come
// forward instead and the start ends (0 once it answered).
int run_program(const CommandLine& line = {});

// Puts every record of every registry and every program-wide value back to zero.
void zero_program_state();
