#include "PortableTest.h"

#include <cerrno>
#include <csignal>
#include <fstream>
#include <memory>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "base/Failure.h"
#include "fakes/FakeDialogs.h"
#include "fakes/FakeLifetime.h"
#include "fakes/FakePointer.h"
#include "fakes/PollEventPump.h"
#include "printing/DiagramAppAdapter.h"
#include "support/PrintingTestSupport.h"
#include "platform/posix/ChildWait.h"
#include "printing/posix/OfficeAppFactory.h"

using namespace printing_test;

namespace {

std::string script(const std::string& folder, const std::string& name, const std::string& body)
{
    const std::string path = folder + "/" + name;
    writeFile(path, "#!/bin/sh\n" + body);
    ::chmod(path.c_str(), 0700);
    return path;
}

// True when this process has no child left, not even one waiting to be reaped.
bool noChildLeft()
{
    return ::waitpid(-1, nullptr, WNOHANG) < 0 && errno == ECHILD;
}

int helperOf(const std::string& pidFile)
{
    int pid = 0;
    std::ifstream(pidFile) >> pid;
    return pid;
}

}  // namespace

PV_TEST(eachOutcomeLeavesNoProcessBehind)
{
    const TempTree tree("plotvane-child-");
    const std::string& folder = tree.root();
    const std::string helper = folder + "/helper.pid";
    const std::string startsHelper = "sleep 600 & echo $! > " + shellQuoted(helper) + "\n";
    writeFile(folder + "/not-a-program", "\x7f"
                                         "ELF garbage");
    ::chmod((folder + "/not-a-program").c_str(), 0700);
    using Outcome = ChildResult::Outcome;
    const struct {
        const char* name;
        std::string program;
        double timeLimit;
        bool endDuringWait;
        Outcome outcome;
        int code;                   // exit code or signal
        bool heldByDialog = false;  // the first wait does not come back for 3 s
    } cases[] = {
        {"exits, its helper still running", script(folder, "exits", startsHelper + "exit 3\n"), 60, false,
         Outcome::Exited, 3},
        {"killed", script(folder, "killed", startsHelper + "kill -9 $$\n"), 60, false, Outcome::Signaled, 9},
        {"hangs past its time", script(folder, "hangs", startsHelper + "exec sleep 600\n"), 0.5, false,
         Outcome::TimedOut, 0},
        {"ended from this side", script(folder, "ended", startsHelper + "exec sleep 600\n"), 60, true, Outcome::Ended,
         0},
        {"cannot be executed", folder + "/not-a-program", 60, false, Outcome::NotStarted, 0},
        {"hangs past its time while a dialog holds the window",
         script(folder, "held", startsHelper + "exec sleep 600\n"), 0.5, false, Outcome::TimedOut, 0, true},
    };
    for (const auto& c : cases) {
        ::unlink(helper.c_str());
        ChildRequest request;
        request.argv = {c.program};
        request.timeLimitSeconds = c.timeLimit;
        std::string error;
        auto child = ChildProcess::start(request, error);
        PV_CHECK(child != nullptr);
        if (!child)
            continue;
        PollEventPump events;
        FakeLifetime lifetime;
        bool goneWhileHeld = false;
        if (c.heldByDialog)
            events.onWait = [&] {
                if (events.waits == 1) {
                    ::sleep(3);
                    goneWhileHeld = helperOf(helper) > 0 && goneWithin(helperOf(helper), 0);
                }
                return true;
            };
        if (c.endDuringWait)
            events.onWait = [&] {
                for (int tries = 0; tries < 1000 && !exists(helper); ++tries)
                    ::usleep(10 * 1000);
                lifetime.end();
                return true;
            };
        const ChildResult result = waitForChild(*child, c.timeLimit, events, lifetime);
        std::printf("    %s\n", c.name);
        PV_CHECK_EQ(result.outcome, c.outcome);
        PV_CHECK_EQ(goneWhileHeld, c.heldByDialog);
        PV_CHECK_EQ(result.outcome == Outcome::Signaled ? result.signal : result.exitCode, c.code);
        if (c.outcome == Outcome::NotStarted)
            PV_CHECK_EQ(result.error, std::string("Exec format error"));
        else
            PV_CHECK(helperOf(helper) > 0 && goneWithin(helperOf(helper), 2.0));
        child.reset();
        PV_CHECK(noChildLeft());
    }
}

PV_TEST(programHasItsThreeStandardDescriptorsAndNoneOfOurs)
{
    const TempTree tree("plotvane-child-");
    const std::string& folder = tree.root();
    // The standard descriptors a starting process of ours lacked.
    const std::vector<std::vector<int>> lacking = {{}, {0}, {2}, {0, 2}, {0, 1, 2}};
    for (const auto& closed : lacking) {
        ChildRequest request;
        // ls lists the shell's descriptors, which the shell has from the watcher.
        request.argv = {"/bin/sh", "-c", "ls /proc/$$/fd; true"};
        request.logPath = folder + "/fds";
        ::unlink(request.logPath.c_str());
        const pid_t ours = ::fork();
        if (ours == 0) {
            int inherited[2];
            if (::pipe(inherited) != 0)  // without close-on-exec
                ::_exit(2);
            for (const int fd : closed)
                ::close(fd);
            std::string error;
            auto child = ChildProcess::start(request, error);
            PollEventPump events;
            FakeLifetime lifetime;
            ::_exit(child && waitForChild(*child, 60, events, lifetime).outcome == ChildResult::Outcome::Exited ? 0
                                                                                                                : 1);
        }
        int status = -1;
        ::waitpid(ours, &status, 0);
        PV_CHECK(WIFEXITED(status) && WEXITSTATUS(status) == 0);
        std::ifstream log(request.logPath);
        std::string listed;
        for (std::string fd; log >> fd;)
            listed += fd + " ";
        PV_CHECK_EQ(listed, std::string("0 1 2 "));
    }
}

PV_TEST(programRunsInItsBoundsAndItsOwnTemporaryFolder)
{
    const TempTree tree("plotvane-child-");
    const std::string& folder = tree.root();
    ChildRequest request;
    request.argv = {"/bin/sh", "-c", "echo \"$(ulimit -v) $TMPDIR\""};
    request.logPath = folder + "/seen";
    request.addressSpaceLimit = 1ULL << 30;
    request.temporaryFolder = folder;
    std::string error;
    const auto child = ChildProcess::start(request, error);
    PollEventPump events;
    FakeLifetime lifetime;
    PV_CHECK(child && waitForChild(*child, 60, events, lifetime).outcome == ChildResult::Outcome::Exited);
    std::ifstream log(request.logPath);
    std::string seen;
    std::getline(log, seen);
    PV_CHECK_EQ(seen, "1048576 " + folder);  // KiB
}

PV_TEST(conversionEndsWhenOurWholeProcessGroupIsKilled)
{
    const TempTree tree("plotvane-child-");
    const std::string& folder = tree.root();
    const std::string helper = folder + "/helper.pid";
    const std::string program
        = script(folder, "hangs", "sleep 600 & echo $! > " + shellQuoted(helper) + "\nexec sleep 600\n");
    // A kill of the group, and a Ctrl-C in a terminal.
    for (const int signal : {SIGKILL, SIGINT}) {
        ::unlink(helper.c_str());
        const pid_t ours = ::fork();
        if (ours == 0) {
            ::setpgid(0, 0);
            ::signal(SIGINT, SIG_DFL);
            ChildRequest request;
            request.argv = {program};
            std::string error;
            auto child = ChildProcess::start(request, error);
            ::pause();
            ::_exit(0);
        }
        for (int tries = 0; tries < 1000 && helperOf(helper) == 0; ++tries)
            ::usleep(10 * 1000);
        PV_CHECK(helperOf(helper) > 0);
        ::kill(-ours, signal);
        ::waitpid(ours, nullptr, 0);
        PV_CHECK(helperOf(helper) > 0 && goneWithin(helperOf(helper), 5.0));
    }
}

PV_TEST(secondFileIsRefusedWhileOneIsConverting)
{
    const TempTree tree("plotvane-child-");
    const std::string& folder = tree.root();
    const std::string go = folder + "/go";
    writeVdx(folder + "/a.vdx", {"A"});
    OfficeOptions options;
    const std::string answersVersion = "for a in \"$@\"; do [ \"$a\" = --version ] && exit 0; done\n";
    options.program
        = script(folder, "soffice", answersVersion + "while [ ! -e " + shellQuoted(go) + " ]; do sleep 0.05; done\n");
    options.workRoot = folder;
    options.timeLimitSeconds = 10;
    FakeDialogs dialogs;
    FakePointer pointer;
    FakeLifetime lifetime;
    PollEventPump events;
    OfficeAppFactory factory(events, lifetime, options);
    DiagramAppAdapter adapter(factory, dialogs, pointer, lifetime);
    PV_CHECK(adapter.checkInstalled());

    std::string refused;
    bool tried = false;
    events.onWait = [&] {
        if (tried)
            return false;
        tried = true;
        refused = portable_test::failureOf([&] { adapter.openInNewInstance(folder + "/a.vdx"); });
        writeFile(go, "");
        return true;
    };
    const std::string first = portable_test::failureOf([&] { adapter.openInNewInstance(folder + "/a.vdx"); });
    PV_CHECK(refused.find("busy with another file") != std::string::npos);
    // The first went on to its end: the stand-in rendered nothing.
    PV_CHECK(first.find("not a drawing") != std::string::npos);
}
