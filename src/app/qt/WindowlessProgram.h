#pragma once

struct CommandLine;

// Plotvane started for something other than its window: --help, --version,
// --list-printers, --print, or a command line it refuses. Needs no display
// and never hands anything to a running window. Returns the exit status.
int runWithoutWindow(const CommandLine& line, int argc, char* argv[]);
