#pragma once

#include <ctime>
#include <functional>
#include <memory>
#include <ostream>
#include <string>

#include "printing/JobStates.h"

class Clock;
class DiagramAppFactory;
class EventPump;
class FileSystem;
class Lifetime;
class Printers;
class SettingsStore;
struct CommandLine;

// Everything outside a run without a window that it reaches: the seams, as
// the window has them, and the two streams it writes to.
struct PrintCommandServices {
    FileSystem& fileSystem;
    Printers& printers;
    DiagramAppFactory& diagramApps;
    SettingsStore& settings;
    Clock& clock;
    EventPump& events;
    Lifetime& lifetime;
    std::ostream& out;
    std::ostream& err;
    bool outIsTerminal = false;
    std::string recordFolder = {};                        // where run records are kept; none when empty
    std::shared_ptr<JobStateSource> jobStates = nullptr;  // followed with --wait
    std::function<std::time_t()> now = [] { return std::time(nullptr); };
    // The status the process ends with when its lifetime ends it before the
    // run does (a signal sets its own); none when null.
    int* endStatus = nullptr;
};

// `plotvane --print`: one print run of the command line's files, as the
// window's "Start Printing" makes it, with nobody at a window. Each file's
// outcome is one line on the output as it becomes known, each box a line on
// the error stream, and the last line gives the counts and the run record.
// Returns the exit status (ExitStatus).
int printWithoutWindow(const CommandLine& line, const PrintCommandServices& services);

// `plotvane --list-printers`: one printer name a line. Returns the exit status.
int listPrinters(Printers& printers, std::ostream& out, std::ostream& err);
