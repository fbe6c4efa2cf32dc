// The program from its start to its end.
#pragma once

// Prepares the services, runs the main window until it is closed, releases everything, and
// returns the exit code.
int run_program();

// Puts every record of every registry and every program-wide value back to zero.
void zero_program_state();
