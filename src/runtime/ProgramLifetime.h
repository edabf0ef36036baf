#pragma once

// Closing the main window ends the program at once, even while a handler is suspended in one of
// its waits. Once the end has begun, trapped statements no longer run and every wait returns, so
// the suspended handlers unwind without doing anything more and the event loop can quit cleanly.
bool programEnding();
void beginProgramEnd();

// For tests that end the program more than once in one process.
void resetProgramEndForTesting();

// Something was left that the normal teardown would not survive (a browser page whose renderer
// never answered a print): the program then ends at once when its window has closed, after the
// user's default printer has been put back, instead of tearing everything down.
void requireQuickExit();
bool quickExitRequired();
