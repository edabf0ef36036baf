#pragma once

// Says once on standard error, in the program's words, that web pages load without the browser's
// sandbox, when start-up had to turn it off. Called after prepareStartupEnvironment.
void sayWhenSandboxIsOff();
