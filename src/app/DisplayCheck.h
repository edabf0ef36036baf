#pragma once

// Whether a window can be shown here: the platform named by QT_QPA_PLATFORM, a Wayland display
// whose socket is there, or an X display that takes a connection. Without one, making the
// application object would end the program with Qt's own abort ("no Qt platform plugin could be
// initialized"), which tells a user at a terminal nothing of what to do.
bool displayCanBeOpened();

// Says on standard error, in two lines, that the window needs a display and how to print a list
// without one; gives the status to end with (2, as for a command line that can't be followed).
int sayWindowNeedsDisplay();
