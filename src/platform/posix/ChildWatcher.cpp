#include "platform/posix/ChildWatcher.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdlib>
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

void closeRange(int first, int last)
{
    if (first > last)
        return;
#ifdef SYS_close_range
    if (::syscall(SYS_close_range, static_cast<unsigned>(first), static_cast<unsigned>(last), 0U) == 0)
        return;
#endif
    // A kernel without close_range: one by one, up to the descriptor limit.
    rlimit limit {};
    long highest = 65535;
    if (::getrlimit(RLIMIT_NOFILE, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY)
        highest = std::min<long>(static_cast<long>(limit.rlim_cur) - 1, 1 << 20);
    for (long fd = first; fd <= std::min<long>(last, highest); ++fd)
        ::close(static_cast<int>(fd));
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

namespace {

void setDisposition(int signal, void (*handler)(int))
{
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    ::sigaction(signal, &action, nullptr);
}

void wakeUp(int)
{
}

void send(int report, int kind, int value)
{
    const Report message{kind, value};
    ssize_t written;
    do {
        written = ::write(report, &message, sizeof message);
    } while (written < 0 && errno == EINTR);
}

}  // namespace

int waitStatus(pid_t pid)
{
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return status;
}

namespace {

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
        const rlimit bound{static_cast<rlim_t>(setting.addressSpaceLimit), static_cast<rlim_t>(setting.addressSpaceLimit)};
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

timespec monotonicNow()
{
    timespec now {};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    return now;
}

// What is left from now until the deadline; false once it has passed.
bool timeLeft(const timespec& deadline, timespec& left)
{
    const timespec now = monotonicNow();
    long long nanoseconds = (static_cast<long long>(deadline.tv_sec) - now.tv_sec) * 1000000000LL
                            + (deadline.tv_nsec - now.tv_nsec);
    if (nanoseconds <= 0)
        return false;
    left.tv_sec = static_cast<time_t>(nanoseconds / 1000000000LL);
    left.tv_nsec = static_cast<long>(nanoseconds % 1000000000LL);
    return true;
}

}  // namespace

[[noreturn]] void watch(char* const* argv, const ProgramSetting& setting, int input, int output, int lifeline, int report,
                        double timeLimit)
{
    // The watcher keeps the time limit itself: the waiting side may be held up
    // (a dialog's own event loop runs the window meanwhile), the limit not.
    timespec deadline = monotonicNow();
    const double limit = std::min(std::max(timeLimit, 0.0), 1e9);
    deadline.tv_sec += static_cast<time_t>(limit);
    deadline.tv_nsec += static_cast<long>((limit - static_cast<double>(static_cast<long long>(limit))) * 1e9);
    if (deadline.tv_nsec >= 1000000000L) {
        deadline.tv_sec += 1;
        deadline.tv_nsec -= 1000000000L;
    }

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
    if (::pipe2(execError, O_CLOEXEC) != 0) {
        send(report, CouldNotExecute, errno);
        ::_exit(0);
    }
    const pid_t program = ::fork();
    if (program == 0) {
        ::close(execError[0]);
        execProgram(argv, setting, input, output, execError[1]);
    }
    if (program < 0) {
        send(report, CouldNotExecute, errno);
        ::_exit(0);
    }
    ::setpgid(program, program);  // also here, so that the group exists before any kill
    ::close(execError[1]);
    int error = 0;
    ssize_t got;
    do {
        got = ::read(execError[0], &error, sizeof error);
    } while (got < 0 && errno == EINTR);
    if (got > 0) {
        waitStatus(program);
        send(report, CouldNotExecute, error);
        ::_exit(0);
    }

    ReportKind kind = Waited;
    for (;;) {
        siginfo_t info {};
        if (::waitid(P_PID, static_cast<id_t>(program), &info, WEXITED | WNOHANG | WNOWAIT) == 0
            && info.si_pid == program)
            break;
        timespec left {};
        if (!timeLeft(deadline, left)) {
            kind = OutOfTime;
            break;
        }
        pollfd life{lifeline, POLLIN, 0};
        const int ready = ::ppoll(&life, 1, &left, &waiting);
        if (ready > 0 || (ready < 0 && errno != EINTR)) {
            kind = EndedOnRequest;
            break;
        }
    }
    // The program is not reaped yet, so its group id cannot have been reused:
    // whatever is left of the group goes with it.
    ::kill(-program, SIGKILL);
    send(report, kind, waitStatus(program));
    ::_exit(0);
}

}  // namespace ChildWatcher
