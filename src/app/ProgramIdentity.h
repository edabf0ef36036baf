#pragma once

// Names the program to Qt before the application object exists: its name and maker, its version
// and the desktop entry that a window manager matches its windows with.
void setProgramIdentity();
