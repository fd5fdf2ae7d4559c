#pragma once

#include <atomic>
#include <string>
#include <sys/types.h>
#include <vector>

// Runs an outside program to its end, in a process group of its own, with a
// time limit. Arguments pass to the program as they are, never through a shell.
struct ChildRequest {
    std::vector<std::string> argv;  // argv[0] is the program: a path, or a name found on PATH
    std::string logPath;            // receives standard output and error; empty: discarded
    double timeLimitSeconds = 120;
};

struct ChildResult {
    enum class Outcome { Exited, Signaled, TimedOut, NotStarted };
    Outcome outcome = Outcome::NotStarted;
    int exitCode = 0;   // Exited
    int signal = 0;     // Signaled
    std::string error;  // NotStarted: why
};

// The process group of the program in work, 0 when none, so that the group can
// be ended from outside the run (the program is closing).
using GroupInWork = std::atomic<pid_t>;

// Runs the program and waits for it. When the time limit passes, its whole
// process group is killed. Whatever the outcome, no process of the group is
// left running afterwards.
ChildResult runChild(const ChildRequest& request, GroupInWork& groupInWork);

// Kills the process group in work, if any. Safe to call from a signal handler.
void killGroupInWork(GroupInWork& groupInWork);

// The full path of a program: itself when it holds a slash, otherwise the first
// executable of that name on PATH; empty when there is none.
std::string findProgram(const std::string& program);
