#pragma once

#include <sys/types.h>

// The watcher of a program that Plotvane starts (see ChildProcess); it also
// keeps the time limit and reports once how the program ended. Everything here
// runs in the watcher or in the program between fork and exec. Plotvane has
// other threads (the window's), so only async-signal-safe calls are made: no
// allocation, no locks.
namespace ChildWatcher {

// What the watcher tells Plotvane, in one write, when the program is over.
enum ReportKind : int {
    Waited = 1,           // value: the program's wait status
    CouldNotExecute = 2,  // value: errno of the failed exec
    EndedOnRequest = 3,   // value: the program's wait status
    OutOfTime = 4,        // value: the program's wait status
};
struct Report {
    int kind;
    int value;
    unsigned long long peakAddressSpace;  // bytes
};

// What the program is started with beyond its arguments, prepared before
// the fork.
struct ProgramSetting {
    char* const* environment;
    unsigned long long addressSpaceLimit;
};

// Closes every descriptor from 3 up but the four given.
void closeAllBut(int a, int b, int c, int d);
// Waits for the process, whatever interrupts the wait; its wait status.
int waitStatus(pid_t pid);
// Runs the watcher in this (just forked) process: starts the program with
// input and output, watches it and reports on report; never returns.
[[noreturn]] void watch(char* const* argv, const ProgramSetting& setting, int input, int output, int lifeline,
                        int report, double timeLimit);

}  // namespace ChildWatcher
