#pragma once

// The program: interprets the arguments and runs the command or opens the main window.
// Returns the exit status: 0 success, 1 a file could not be read or written, 2 bad arguments.
int zanMain(int argc, char **argv);
