#pragma once

#include <string>
#include <vector>

// How Plotvane ends when it ran without its window.
namespace ExitStatus {
constexpr int AllSent = 0;        // every file was sent (with --wait: printed)
constexpr int NotAllSent = 1;     // one or more files were not
constexpr int Usage = 2;          // the command line, the printer or the list was wrong
constexpr int Unavailable = 3;    // the diagram application or the print service is not there
constexpr int AfterSignal = 128;  // plus the signal's number
}  // namespace ExitStatus

// What Plotvane was asked to do on its command line. The arguments are bytes
// as the system gave them (on Windows: UTF-8), and paths and names keep them
// exactly, whatever their encoding.
struct CommandLine {
    enum class Mode {
        Window,        // the window, listing the paths
        Print,         // --print: one print run with no window
        Help,          // --help
        Version,       // --version
        ListPrinters,  // --list-printers
        Refused,       // not understood: `problem` says why
    };
    // The pause entries run from "0 seconds" to "9 seconds".
    static constexpr int LastPause = 9;
    // How long --wait follows the jobs after the last file, at most.
    static constexpr int WaitLimitMinutes = 30;

    Mode mode = Mode::Window;
    std::string problem;
    std::vector<std::string> paths;  // as given, in order
    std::string printer;             // --printer; empty: the system's default printer
    int pause = -1;                  // --pause; -1: the pause the window remembers
    bool dryRun = false;
    bool wait = false;
    std::string retry;          // --retry: a run record, or "last"; empty: none
    int conversionSeconds = 0;  // --conversion-limit; 0: the stored limit
};

// Reads the arguments that follow the program's name.
CommandLine readCommandLine(const std::vector<std::string>& arguments);

// The text of --help for the program called `programName`: the usage, every
// option and the exit statuses.
std::string commandLineHelp(const std::string& programName);
