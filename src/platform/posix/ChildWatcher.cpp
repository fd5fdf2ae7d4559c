#include "platform/posix/ChildWatcher.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <iterator>
#include <poll.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

namespace ChildWatcher {

namespace {

// How often the watcher looks at the address space of the program's processes.
constexpr long long PeakSampleNanoseconds = 50 * 1000 * 1000;
constexpr long long NanosecondsPerSecond = 1000 * 1000 * 1000;

void closeRange(int first, int last)
{
    if (first > last)
        return;
#ifdef SYS_close_range
    if (::syscall(SYS_close_range, static_cast<unsigned>(first), static_cast<unsigned>(last), 0U) == 0)
        return;
#endif
    // A kernel without close_range: one by one, up to the descriptor limit.
    rlimit limit{};
    long highest = 65535;
    if (::getrlimit(RLIMIT_NOFILE, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY)
        highest = std::min<long>(static_cast<long>(limit.rlim_cur) - 1, 1 << 20);
    for (long fd = first; fd <= std::min<long>(last, highest); ++fd)
        ::close(static_cast<int>(fd));
}

void setDisposition(int signal, void (*handler)(int))
{
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    ::sigaction(signal, &action, nullptr);
}

void wakeUp(int) {}

// The watcher's last act: the report, then its end.
[[noreturn]] void sendAndEnd(int report, int kind, int value, unsigned long long peak = 0)
{
    const Report message{kind, value, peak};
    ssize_t written;
    do {
        written = ::write(report, &message, sizeof message);
    } while (written < 0 && errno == EINTR);
    ::_exit(0);
}

// Makes fd the program's descriptor target. Where this process lacked that
// descriptor, fd may already be it: dup2 then changes nothing and the
// close-on-exec flag would stay, so the program would start without it.
void placeOn(int fd, int target)
{
    if (fd != target)
        ::dup2(fd, target);
    else
        ::fcntl(fd, F_SETFD, 0);
}

[[noreturn]] void execProgram(char* const* argv, const ProgramSetting& setting, int input, int output, int execError)
{
    ::setpgid(0, 0);
    if (setting.addressSpaceLimit > 0) {
        // Inherited by every process the program starts.
        const rlimit bound{static_cast<rlim_t>(setting.addressSpaceLimit),
                           static_cast<rlim_t>(setting.addressSpaceLimit)};
        ::setrlimit(RLIMIT_AS, &bound);
    }
    for (const int signal : {SIGPIPE, SIGCHLD, SIGINT, SIGTERM, SIGHUP, SIGQUIT})
        setDisposition(signal, SIG_DFL);
    sigset_t none;
    sigemptyset(&none);
    ::sigprocmask(SIG_SETMASK, &none, nullptr);
    placeOn(input, STDIN_FILENO);
    placeOn(output, STDOUT_FILENO);
    placeOn(output, STDERR_FILENO);
    ::execve(argv[0], argv, setting.environment);
    const int error = errno;
    ssize_t written = ::write(execError, &error, sizeof error);
    (void)written;
    ::_exit(127);
}

// Reads a small /proc file into buffer, terminated; its length, or 0.
std::size_t readSmallFile(const char* path, char* buffer, std::size_t size)
{
    const int fd = ::open(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return 0;
    std::size_t length = 0;
    while (length + 1 < size) {
        const ssize_t got = ::read(fd, buffer + length, size - 1 - length);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        length += static_cast<std::size_t>(got);
    }
    ::close(fd);
    buffer[length] = '\0';
    return length;
}

// Appends text to the path, without allocating.
void append(char* path, std::size_t size, const char* text)
{
    std::size_t at = std::strlen(path);
    for (; *text && at + 1 < size; ++text)
        path[at++] = *text;
    path[at] = '\0';
}

void append(char* path, std::size_t size, unsigned long number)
{
    char digits[24];
    char* first = digits + sizeof digits - 1;
    *first = '\0';
    do {
        *--first = static_cast<char>('0' + number % 10);
        number /= 10;
    } while (number > 0);
    append(path, size, first);
}

// The highest address space the process has held (VmPeak), in bytes; 0 when
// it cannot be read (the process has ended).
unsigned long long processPeak(unsigned long pid)
{
    char path[64] = "/proc/";
    append(path, sizeof path, pid);
    append(path, sizeof path, "/status");
    char status[4096];
    if (readSmallFile(path, status, sizeof status) == 0)
        return 0;
    const char* line = std::strstr(status, "VmPeak:");
    if (!line)
        return 0;
    unsigned long long kib = 0;
    for (line += 7; *line == ' ' || *line == '\t'; ++line) {}
    for (; *line >= '0' && *line <= '9'; ++line)
        kib = kib * 10 + static_cast<unsigned long long>(*line - '0');
    return kib * 1024;
}

// The peaks of the children that one thread of a process started.
unsigned long long childrenPeak(unsigned long pid, const char* thread, int depth);

// The highest address space held by the process or any of its descendants,
// started by any of its threads (LibreOffice starts its own from a thread of
// its own), down to a few generations.
unsigned long long treePeak(unsigned long pid, int depth = 0)
{
    unsigned long long peak = processPeak(pid);
    if (depth >= 4)
        return peak;
    char path[64] = "/proc/";
    append(path, sizeof path, pid);
    append(path, sizeof path, "/task");
    const int tasks = ::open(path, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (tasks < 0)
        return peak;
    alignas(8) char entries[4096];
    long got;
    while ((got = ::syscall(SYS_getdents64, tasks, entries, sizeof entries)) > 0) {
        for (long at = 0; at < got;) {
            // struct linux_dirent64: inode (8), offset (8), length (2), type (1), name
            unsigned short length = 0;
            std::memcpy(&length, entries + at + 16, sizeof length);
            const char* name = entries + at + 19;
            if (name[0] >= '0' && name[0] <= '9')
                peak = std::max(peak, childrenPeak(pid, name, depth));
            at += length;
        }
    }
    ::close(tasks);
    return peak;
}

unsigned long long childrenPeak(unsigned long pid, const char* thread, int depth)
{
    unsigned long long peak = 0;
    char path[96] = "/proc/";
    append(path, sizeof path, pid);
    append(path, sizeof path, "/task/");
    append(path, sizeof path, thread);
    append(path, sizeof path, "/children");
    char children[1024];
    if (readSmallFile(path, children, sizeof children) == 0)
        return peak;
    unsigned long child = 0;
    bool inNumber = false;
    for (const char* c = children;; ++c) {
        if (*c >= '0' && *c <= '9') {
            child = child * 10 + static_cast<unsigned long>(*c - '0');
            inNumber = true;
        } else {
            if (inNumber)
                peak = std::max(peak, treePeak(child, depth + 1));
            child = 0;
            inNumber = false;
            if (!*c)
                break;
        }
    }
    return peak;
}

long long monotonicNanoseconds()
{
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * NanosecondsPerSecond + now.tv_nsec;
}

}  // namespace

void closeAllBut(int a, int b, int c, int d)
{
    int keep[] = {a, b, c, d};
    std::sort(std::begin(keep), std::end(keep));
    int from = 3;
    for (const int fd : keep) {
        if (fd >= from) {
            closeRange(from, fd - 1);
            from = fd + 1;
        }
    }
    closeRange(from, INT_MAX);
}

int waitStatus(pid_t pid)
{
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {}
    return status;
}

[[noreturn]] void watch(char* const* argv, const ProgramSetting& setting, int input, int output, int lifeline,
                        int report, double timeLimit)
{
    // The watcher keeps the time limit itself: the waiting side may be held up
    // (a dialog's own event loop runs the window meanwhile), the limit not.
    const long long deadline = monotonicNanoseconds()
                               + static_cast<long long>(std::min(std::max(timeLimit, 0.0), 1e9) * NanosecondsPerSecond);

    // Only the lifeline ends the watcher. It leads a session of its own, so
    // nothing sent to our process group (a Ctrl-C in a terminal, a kill of the
    // whole group, a logout) reaches it or the program: when that ends this
    // process, the program then ends in order through the lifeline.
    ::setsid();
    for (const int signal : {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGPIPE})
        setDisposition(signal, SIG_IGN);
    // SIGCHLD interrupts the wait for the lifeline; it stays blocked outside
    // that wait, so that none goes unnoticed.
    setDisposition(SIGCHLD, wakeUp);
    sigset_t childSignal;
    sigemptyset(&childSignal);
    sigaddset(&childSignal, SIGCHLD);
    sigset_t waiting;
    ::sigprocmask(SIG_BLOCK, &childSignal, &waiting);
    sigdelset(&waiting, SIGCHLD);

    int execError[2] = {-1, -1};
    if (::pipe2(execError, O_CLOEXEC) != 0)
        sendAndEnd(report, CouldNotExecute, errno);
    const pid_t program = ::fork();
    if (program == 0) {
        ::close(execError[0]);
        execProgram(argv, setting, input, output, execError[1]);
    }
    if (program < 0)
        sendAndEnd(report, CouldNotExecute, errno);
    ::setpgid(program, program);  // also here, so that the group exists before any kill
    ::close(execError[1]);
    int error = 0;
    ssize_t got;
    do {
        got = ::read(execError[0], &error, sizeof error);
    } while (got < 0 && errno == EINTR);
    if (got > 0) {
        waitStatus(program);
        sendAndEnd(report, CouldNotExecute, error);
    }

    ReportKind kind = Waited;
    unsigned long long peak = 0;
    for (;;) {
        peak = std::max(peak, treePeak(static_cast<unsigned long>(program)));
        siginfo_t info{};
        if (::waitid(P_PID, static_cast<id_t>(program), &info, WEXITED | WNOHANG | WNOWAIT) == 0
            && info.si_pid == program)
            break;
        const long long left = deadline - monotonicNanoseconds();
        if (left <= 0) {
            kind = OutOfTime;
            break;
        }
        // Woken now and then to look at the address space again: the peak
        // is the processes' own high-water mark, so a look at any time after
        // it counts.
        const timespec nap{0, static_cast<long>(std::min(left, PeakSampleNanoseconds))};
        pollfd life{lifeline, POLLIN, 0};
        const int ready = ::ppoll(&life, 1, &nap, &waiting);
        if (ready > 0 || (ready < 0 && errno != EINTR)) {
            kind = EndedOnRequest;
            break;
        }
    }
    // The program is not reaped yet, so its group id cannot have been reused:
    // whatever is left of the group goes with it.
    ::kill(-program, SIGKILL);
    sendAndEnd(report, kind, waitStatus(program), peak);
}

}  // namespace ChildWatcher
