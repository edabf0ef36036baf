#pragma once

// Chooses how the browsers' views are drawn into the program's windows. Called once, after the
// application object exists and before the first browser view is made.
//
// The print run's browsers are never seen, yet every frame they draw is composed into the main
// window. Where the display's OpenGL is itself drawn by the processor (a virtual display, a remote
// desktop, a machine without a graphics driver), composing through OpenGL costs the run about a
// tenth of its speed and 45 MB for nothing: there the views are drawn in software. Where OpenGL
// has a graphics card behind it, it is kept.
void chooseBrowserDrawing();
