#pragma once

class MainWindow;

// Shows the main window and runs the program until it ends: by closing the window, or by SIGTERM,
// SIGINT or SIGHUP, which close it the same way. Gives the exit status: 128 plus the signal's
// number when a signal ended it.
int runWindowProgram(MainWindow &form);
