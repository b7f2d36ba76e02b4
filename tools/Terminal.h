#pragma once
// Output for people at a terminal: whether a stream is one, and colour when it is. Colour is
// off when the NO_COLOR variable is set to anything but the empty text, and never goes to a
// file or a pipe.

#include <cstdio>

// Whether standard output (or error) is a terminal.
bool StdoutIsTerminal();
bool StderrIsTerminal();
// Whether text for the stream should carry colour: a terminal that takes colour sequences,
// and NO_COLOR unset or empty.
bool ColourWanted(FILE* pStream);
