#include "PortableTest.h"

#include <cerrno>
#include <fstream>
#include <memory>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

#include "base/Failure.h"
#include "fakes/FakeDialogs.h"
#include "fakes/FakeLifetime.h"
#include "fakes/FakePointer.h"
#include "fakes/PollEventPump.h"
#include "printing/DiagramAppAdapter.h"
#include "printing/PrintingTestSupport.h"
#include "printing/posix/ChildWait.h"
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
    const std::string folder = makeTempFolder("plotvane-child-");
    const std::string helper = folder + "/helper.pid";
    const std::string startsHelper = "sleep 600 & echo $! > " + shellQuoted(helper) + "\n";
    writeFile(folder + "/not-a-program", "\x7f" "ELF garbage");
    ::chmod((folder + "/not-a-program").c_str(), 0700);
    using Outcome = ChildResult::Outcome;
    const struct {
        const char* name;
        std::string program;
        double timeLimit;
        bool endDuringWait;
        Outcome outcome;
        int code;  // exit code or signal
    } cases[] = {
        {"exits, its helper still running", script(folder, "exits", startsHelper + "exit 3\n"), 60, false,
         Outcome::Exited, 3},
        {"killed", script(folder, "killed", startsHelper + "kill -9 $$\n"), 60, false, Outcome::Signaled, 9},
        {"hangs past its time", script(folder, "hangs", startsHelper + "exec sleep 600\n"), 0.5, false,
         Outcome::TimedOut, 0},
        {"ended from this side", script(folder, "ended", startsHelper + "exec sleep 600\n"), 60, true,
         Outcome::Ended, 0},
        {"cannot be executed", folder + "/not-a-program", 60, false, Outcome::NotStarted, 0},
    };
    for (const auto& c : cases) {
        ::unlink(helper.c_str());
        ChildRequest request;
        request.argv = {c.program};
        std::string error;
        auto child = ChildProcess::start(request, error);
        PV_CHECK(child != nullptr);
        if (!child)
            continue;
        PollEventPump events;
        FakeLifetime lifetime;
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
        PV_CHECK_EQ(result.outcome == Outcome::Signaled ? result.signal : result.exitCode, c.code);
        if (c.outcome == Outcome::NotStarted)
            PV_CHECK_EQ(result.error, std::string("Exec format error"));
        else
            PV_CHECK(helperOf(helper) > 0 && goneWithin(helperOf(helper), 2.0));
        child.reset();
        PV_CHECK(noChildLeft());
    }
    removeFolder(folder);
}

PV_TEST(programKeepsNoneOfOurDescriptors)
{
    const std::string folder = makeTempFolder("plotvane-child-");
    int inherited[2];
    PV_CHECK_EQ(::pipe(inherited), 0);  // without close-on-exec
    ChildRequest request;
    // ls lists the shell's descriptors, which the shell has from the watcher.
    request.argv = {"/bin/sh", "-c", "ls /proc/$$/fd; true"};
    request.logPath = folder + "/fds";
    std::string error;
    auto child = ChildProcess::start(request, error);
    PV_CHECK(child != nullptr);
    PollEventPump events;
    FakeLifetime lifetime;
    if (child)
        PV_CHECK_EQ(waitForChild(*child, 60, events, lifetime).outcome, ChildResult::Outcome::Exited);
    std::ifstream log(request.logPath);
    std::string listed;
    for (std::string fd; log >> fd;)
        listed += fd + " ";
    PV_CHECK_EQ(listed, std::string("0 1 2 "));
    ::close(inherited[0]);
    ::close(inherited[1]);
    removeFolder(folder);
}

PV_TEST(secondFileIsRefusedWhileOneIsConverting)
{
    const std::string folder = makeTempFolder("plotvane-child-");
    const std::string go = folder + "/go";
    writeVdx(folder + "/a.vdx", {"A"});
    OfficeOptions options;
    options.program = script(folder, "soffice",
                             "for a in \"$@\"; do [ \"$a\" = --version ] && exit 0; done\n"
                             "while [ ! -e " + shellQuoted(go) + " ]; do sleep 0.05; done\n");
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
    removeFolder(folder);
}
