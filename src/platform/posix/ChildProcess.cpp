#include "platform/posix/ChildProcess.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "platform/Paths.h"
#include "platform/posix/ChildWatcher.h"

using namespace ChildWatcher;

namespace {

// How long end() waits for the watcher to report that the group is gone.
// SIGKILL cannot be refused, so only a process stuck in the kernel takes longer.
constexpr int EndReportMilliseconds = 5000;

bool isExecutableFile(const std::string& path)
{
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && ::access(path.c_str(), X_OK) == 0;
}

}  // namespace

std::string findProgram(const std::string& program)
{
    if (program.empty())
        return {};
    if (program.find('/') != std::string::npos)
        return isExecutableFile(program) ? program : std::string();
    const char* path = std::getenv("PATH");
    const std::string folders = path ? path : "/usr/local/bin:/usr/bin:/bin";
    // An empty entry, as between two colons, is the working folder.
    for (std::size_t start = 0, end = 0; start <= folders.size(); start = end + 1) {
        end = std::min(folders.find(':', start), folders.size());
        const std::string folder = end > start ? folders.substr(start, end - start) : ".";
        const std::string candidate = joinPath(folder, program, PathStyle::Posix);
        if (isExecutableFile(candidate))
            return candidate;
    }
    return {};
}

std::unique_ptr<ChildProcess> ChildProcess::start(const ChildRequest& request, std::string& error)
{
    if (request.argv.empty()) {
        error = "no program given";
        return nullptr;
    }
    const std::string program = findProgram(request.argv[0]);
    if (program.empty()) {
        error = request.argv[0] + " was not found";
        return nullptr;
    }

    // Everything the watcher and the program need is prepared before the fork.
    std::vector<char*> argv;
    for (const auto& argument : request.argv)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv[0] = const_cast<char*>(program.c_str());
    argv.push_back(nullptr);
    std::string temporaryFolder = "TMPDIR=" + request.temporaryFolder;
    std::vector<char*> environment;
    for (char** variable = environ; *variable; ++variable)
        if (request.temporaryFolder.empty() || std::strncmp(*variable, "TMPDIR=", 7) != 0)
            environment.push_back(*variable);
    if (!request.temporaryFolder.empty())
        environment.push_back(temporaryFolder.data());
    environment.push_back(nullptr);
    const ProgramSetting setting{environment.data(), request.addressSpaceLimit};

    const int input = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
    const int output = request.logPath.empty()
                           ? ::open("/dev/null", O_WRONLY | O_CLOEXEC)
                           : ::open(request.logPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    int lifeline[2] = {-1, -1};
    int report[2] = {-1, -1};
    const bool ready
        = input >= 0 && output >= 0 && ::pipe2(lifeline, O_CLOEXEC) == 0 && ::pipe2(report, O_CLOEXEC) == 0;
    const pid_t watcher = ready ? ::fork() : -1;
    if (watcher == 0) {
        // The watcher must not hold the lifeline's own write end, or it would
        // never see it close.
        ::close(lifeline[1]);
        ::close(report[0]);
        closeAllBut(input, output, lifeline[0], report[1]);
        watch(argv.data(), setting, input, output, lifeline[0], report[1], request.timeLimitSeconds);
    }
    const int failure = errno;
    for (const int fd : {input, output, lifeline[0], report[1]})
        if (fd >= 0)
            ::close(fd);
    if (watcher < 0) {
        for (const int fd : {lifeline[1], report[0]})
            if (fd >= 0)
                ::close(fd);
        error = std::strerror(failure);
        return nullptr;
    }
    return std::unique_ptr<ChildProcess>(new ChildProcess(watcher, lifeline[1], report[0]));
}

ChildProcess::ChildProcess(pid_t watcher, int lifeline, int report)
    : m_watcher(watcher), m_lifeline(lifeline), m_report(report)
{
}

ChildProcess::~ChildProcess()
{
    end();
    closeDescriptors();
}

bool ChildProcess::finished()
{
    if (m_finished)
        return true;
    pollfd ready{m_report, POLLIN, 0};
    if (::poll(&ready, 1, 0) <= 0)
        return false;
    collect();
    return true;
}

void ChildProcess::end()
{
    if (m_finished)
        return;
    // The watcher takes the closed lifeline as the word to end the group.
    ::close(m_lifeline);
    m_lifeline = -1;
    pollfd ready{m_report, POLLIN, 0};
    int got;
    do {
        got = ::poll(&ready, 1, EndReportMilliseconds);
    } while (got < 0 && errno == EINTR);
    if (got > 0) {
        collect();  // Ended, or how it finished if it did so by itself meanwhile
        return;
    }
    // The group did not go in time; the watcher stays on it. It is not waited
    // for: nothing else of the program may hang on it.
    closeDescriptors();
    m_finished = true;
    m_result = ChildResult();
    m_result.outcome = ChildResult::Outcome::Ended;
}

void ChildProcess::collect()
{
    Report report{};
    ssize_t got;
    do {
        got = ::read(m_report, &report, sizeof report);
    } while (got < 0 && errno == EINTR);
    // The watcher ends right after its report.
    waitStatus(m_watcher);
    closeDescriptors();
    m_finished = true;

    m_result = ChildResult();
    m_result.peakAddressSpace = report.peakAddressSpace;
    if (got != static_cast<ssize_t>(sizeof report)) {
        m_result.outcome = ChildResult::Outcome::Signaled;
        m_result.error = "its watcher ended unexpectedly";
    } else if (report.kind == CouldNotExecute) {
        m_result.error = std::strerror(report.value);
    } else if (report.kind == EndedOnRequest) {
        m_result.outcome = ChildResult::Outcome::Ended;
    } else if (report.kind == OutOfTime) {
        m_result.outcome = ChildResult::Outcome::TimedOut;
    } else if (WIFEXITED(report.value)) {
        m_result.outcome = ChildResult::Outcome::Exited;
        m_result.exitCode = WEXITSTATUS(report.value);
    } else {
        m_result.outcome = ChildResult::Outcome::Signaled;
        m_result.signal = WIFSIGNALED(report.value) ? WTERMSIG(report.value) : 0;
    }
}

void ChildProcess::closeDescriptors()
{
    for (int* fd : {&m_lifeline, &m_report}) {
        if (*fd >= 0)
            ::close(*fd);
        *fd = -1;
    }
}
