#pragma once

// A program started with standard input, output or error closed (`<&-` in a shell) would have the
// first file it opens take that number: reading the list from standard input would then read that
// file, and a report line could be written into it. Called first in main, this puts /dev/null on
// each closed one, and remembers whether standard input was among them.
void guardStandardStreams();

// Whether the program was started without a standard input.
bool standardInputWasClosed();
