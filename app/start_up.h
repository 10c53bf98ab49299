#pragma once

#include <string>

// Runs the pedigree window until it is closed, in this order: the application, the help file's
// location, the main window, the About box, the report window, the event loop. `fileName`, when
// not empty, is opened as the Open command would. Returns the exit status.
//
// With ZAN_STARTUP_PROBE set in the environment the program ends as soon as the window has been
// shown, after writing "shown <row count>" to standard output: the start-up benchmark's probe.
int runMainWindow(int &argc, char **argv, const std::string &fileName);
