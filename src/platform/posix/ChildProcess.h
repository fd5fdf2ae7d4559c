#pragma once

#include <memory>
#include <string>
#include <sys/types.h>
#include <vector>

// Runs an outside program in a process group of its own, with a time limit.
// Arguments pass to the program as they are, never through a shell.
struct ChildRequest {
    std::vector<std::string> argv;  // argv[0] is the program: a path, or a name found on PATH
    std::string logPath;            // receives standard output and error; empty: discarded
    double timeLimitSeconds = 120;
    // The most address space each process of the program may take, in bytes;
    // 0: no bound. A process that asks for more is refused the memory.
    unsigned long long addressSpaceLimit = 0;
    // The program's TMPDIR, so that what it leaves there stays in a folder of
    // ours; empty: ours.
    std::string temporaryFolder;
};

struct ChildResult {
    // Ended: ended from this side before it finished (the program is closing).
    enum class Outcome { Exited, Signaled, TimedOut, Ended, NotStarted };
    Outcome outcome = Outcome::NotStarted;
    int exitCode = 0;   // Exited
    int signal = 0;     // Signaled
    std::string error;  // NotStarted: why
    // The most address space any process of the program was seen to hold,
    // in bytes, sampled while it ran (0: none seen). With an address-space
    // bound, a peak at the bound tells that the program was refused memory.
    unsigned long long peakAddressSpace = 0;
};

// One run of an outside program, watched over by a small process of ours, the
// watcher. The watcher is the program's parent and leads a session of its
// own, so signals sent to our process group reach neither; it starts the
// program in a process group of its own, waits for it and ends the group when
// the time limit has passed. When the program ends, the watcher kills
// whatever is left of its group before it reaps the program, so the group's
// id cannot have been reused when it is killed. The watcher ends the group
// just the same when this process closes the pipe it holds from us: on end(),
// and on any end of this process, a crash or SIGKILL included. Neither the
// watcher nor the program keeps any other descriptor of ours.
class ChildProcess final {
public:
    // Starts the program. Null, with the reason in `error`, when the program is
    // not found or no watcher can be started; a program that is found but
    // cannot be executed finishes at once with the outcome NotStarted.
    static std::unique_ptr<ChildProcess> start(const ChildRequest& request, std::string& error);
    // Ends the program if it still runs.
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // Becomes readable when the program has ended and its group is gone: a
    // wait sleeps on it (poll, or the window's event loop).
    int endDescriptor() const { return m_report; }
    // True once the program has ended and its group is gone; the outcome is
    // then in result(). Does not wait for the program.
    bool finished();
    // Kills the program's whole group and waits until the watcher has reaped
    // it. The outcome is Ended, unless the program had finished already.
    void end();
    const ChildResult& result() const { return m_result; }

private:
    ChildProcess(pid_t watcher, int lifeline, int report);
    void collect();
    void closeDescriptors();

    pid_t m_watcher;
    int m_lifeline;  // its closing tells the watcher to end the program
    int m_report;    // the watcher's word on how the program ended
    bool m_finished = false;
    ChildResult m_result;
};

// The full path of a program: itself when it holds a slash, otherwise the first
// executable of that name on PATH; empty when there is none.
std::string findProgram(const std::string& program);
