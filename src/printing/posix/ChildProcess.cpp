#include "printing/posix/ChildProcess.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

namespace {

using MonotonicClock = std::chrono::steady_clock;

bool isExecutableFile(const std::string& path)
{
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && ::access(path.c_str(), X_OK) == 0;
}

int openPidFd(pid_t pid)
{
#ifdef SYS_pidfd_open
    return static_cast<int>(::syscall(SYS_pidfd_open, pid, 0));
#else
    (void)pid;
    errno = ENOSYS;
    return -1;
#endif
}

// Waits until the child has ended, without reaping it, or until the deadline.
// Returns true when it ended.
bool waitForEnd(pid_t pid, MonotonicClock::time_point deadline)
{
    const int pidFd = openPidFd(pid);
    for (;;) {
        siginfo_t info {};
        const int looked = ::waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOHANG | WNOWAIT);
        // ECHILD: something else of the program has reaped it already.
        if ((looked == 0 && info.si_pid == pid) || (looked != 0 && errno == ECHILD)) {
            if (pidFd >= 0)
                ::close(pidFd);
            return true;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - MonotonicClock::now());
        if (left.count() <= 0) {
            if (pidFd >= 0)
                ::close(pidFd);
            return false;
        }
        if (pidFd >= 0) {
            pollfd ready {pidFd, POLLIN, 0};
            ::poll(&ready, 1, static_cast<int>(std::min<long long>(left.count(), 60000)));
        } else {
            // No process descriptors on this kernel: look again shortly.
            const timespec pause {0, 10 * 1000 * 1000};
            ::nanosleep(&pause, nullptr);
        }
    }
}

}  // namespace

std::string findProgram(const std::string& program)
{
    if (program.empty())
        return {};
    if (program.find('/') != std::string::npos)
        return isExecutableFile(program) ? program : std::string();
    const char* path = std::getenv("PATH");
    std::string folders = path ? path : "/usr/local/bin:/usr/bin:/bin";
    std::size_t start = 0;
    while (start <= folders.size()) {
        std::size_t end = folders.find(':', start);
        if (end == std::string::npos)
            end = folders.size();
        const std::string folder = end > start ? folders.substr(start, end - start) : ".";
        const std::string candidate = folder + "/" + program;
        if (isExecutableFile(candidate))
            return candidate;
        start = end + 1;
    }
    return {};
}

void killGroupInWork(GroupInWork& groupInWork)
{
    const pid_t group = groupInWork.load();
    if (group > 0)
        ::kill(-group, SIGKILL);
}

ChildResult runChild(const ChildRequest& request, GroupInWork& groupInWork)
{
    ChildResult result;
    if (request.argv.empty()) {
        result.error = "no program given";
        return result;
    }
    const std::string program = findProgram(request.argv[0]);
    if (program.empty()) {
        result.error = request.argv[0] + " was not found";
        return result;
    }

    // Everything the child needs is prepared before the fork: between fork and
    // exec the child may only make async-signal-safe calls.
    std::vector<char*> argv;
    for (const auto& argument : request.argv)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv[0] = const_cast<char*>(program.c_str());
    argv.push_back(nullptr);

    const int input = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
    const int output = request.logPath.empty()
        ? ::open("/dev/null", O_WRONLY | O_CLOEXEC)
        : ::open(request.logPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    int execError[2] = {-1, -1};
    if (input < 0 || output < 0 || ::pipe2(execError, O_CLOEXEC) != 0) {
        result.error = std::strerror(errno);
        for (int fd : {input, output, execError[0], execError[1]})
            if (fd >= 0)
                ::close(fd);
        return result;
    }

    const pid_t pid = ::fork();
    if (pid == 0) {
        ::setpgid(0, 0);
        sigset_t none;
        sigemptyset(&none);
        ::sigprocmask(SIG_SETMASK, &none, nullptr);
        for (int signal : {SIGPIPE, SIGCHLD, SIGINT, SIGTERM, SIGHUP, SIGQUIT})
            ::signal(signal, SIG_DFL);
        ::dup2(input, STDIN_FILENO);
        ::dup2(output, STDOUT_FILENO);
        ::dup2(output, STDERR_FILENO);
        ::execv(argv[0], argv.data());
        const int error = errno;
        ssize_t written = ::write(execError[1], &error, sizeof error);
        (void)written;
        ::_exit(127);
    }
    const int forkError = errno;
    ::close(input);
    ::close(output);
    ::close(execError[1]);
    if (pid < 0) {
        ::close(execError[0]);
        result.error = std::strerror(forkError);
        return result;
    }
    ::setpgid(pid, pid);  // also here, so that the group exists before any kill
    groupInWork.store(pid);
    const auto deadline = MonotonicClock::now()
        + std::chrono::duration_cast<MonotonicClock::duration>(std::chrono::duration<double>(request.timeLimitSeconds));

    int error = 0;
    ssize_t got;
    do {
        got = ::read(execError[0], &error, sizeof error);
    } while (got < 0 && errno == EINTR);
    ::close(execError[0]);

    const bool ended = got > 0 || waitForEnd(pid, deadline);
    // The leader is not reaped yet, so its group id cannot have been reused:
    // whatever else is left in the group goes with it.
    ::kill(-pid, SIGKILL);
    groupInWork.store(0);
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }

    if (got > 0) {
        result.error = std::strerror(error);
    } else if (!ended) {
        result.outcome = ChildResult::Outcome::TimedOut;
    } else if (WIFEXITED(status)) {
        result.outcome = ChildResult::Outcome::Exited;
        result.exitCode = WEXITSTATUS(status);
    } else {
        result.outcome = ChildResult::Outcome::Signaled;
        result.signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
    }
    return result;
}
