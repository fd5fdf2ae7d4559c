// A soak of the print run: many files printed in one run through the real
// backend (LibreOffice, a private CUPS scheduler) with the 0-second pause,
// with what the program holds printed at start-up, after a first file (the
// profile template made, CUPS reached) and after the run: open descriptors,
// threads, instance folders, child processes and resident memory. None but the
// memory should differ from start-up to the end of the run, the first run
// included: a run leaves nothing of its own behind.
//
//   print_soak [FILES]     (default 100)

#include <QApplication>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

#include "BenchClock.h"
#include "fakes/FakeDialogs.h"
#include "fakes/FakeLifetime.h"
#include "fakes/FakeListItems.h"
#include "fakes/FakePointer.h"
#include "fakes/FakePrintView.h"
#include "platform/SteadyClock.h"
#include "platform/qt/QtEventPump.h"
#include "printing/DiagramAppAdapter.h"
#include "printing/PrintRun.h"
#include "support/PrintingTestSupport.h"
#include "printing/posix/OfficeAppFactory.h"

using namespace printing_test;

namespace {

struct Holdings {
    int descriptors = 0;
    int threads = 0;
    int instanceFolders = 0;
    int children = 0;         // processes whose parent is this one, zombies included
    int officeProcesses = 0;  // live processes working in the run's folders
    long residentKb = 0;
};

std::string statusField(const std::string& file, const std::string& name)
{
    std::ifstream status(file);
    for (std::string line; std::getline(status, line);) {
        if (line.rfind(name + ":", 0) == 0)
            return line.substr(name.size() + 1);
    }
    return {};
}

Holdings holdings(const std::string& work)
{
    Holdings now;
    now.descriptors = static_cast<int>(folderEntries("/proc/self/fd").size()) - 1;  // less the listing's own
    now.threads = static_cast<int>(folderEntries("/proc/self/task").size());
    for (const auto& root : folderEntries(work))
        for (const auto& entry : folderEntries(work + "/" + root))
            now.instanceFolders += entry.rfind("instance-", 0) == 0;
    const std::string self = std::to_string(::getpid());
    for (const auto& pid : folderEntries("/proc")) {
        if (pid.find_first_not_of("0123456789") == std::string::npos
            && std::atoi(statusField("/proc/" + pid + "/status", "PPid").c_str()) == ::getpid() && pid != self)
            ++now.children;
    }
    now.officeProcesses = static_cast<int>(processesMentioning(work).size());
    now.residentKb = std::atol(statusField("/proc/self/status", "VmRSS").c_str());
    return now;
}

// What the program holds once its folder work of the moment (removing the
// folders of an instance that has just quit) is over: the same twice in a row.
Holdings settled(const std::string& work)
{
    Holdings last = holdings(work);
    for (int i = 0; i < 40; ++i) {
        ::usleep(50 * 1000);
        const Holdings now = holdings(work);
        if (now.descriptors == last.descriptors && now.threads == last.threads
            && now.instanceFolders == last.instanceFolders && now.children == last.children)
            return now;
        last = now;
    }
    return last;
}

void show(const char* when, const Holdings& h)
{
    std::printf("%-26s %11d %7d %15d %15d %16d %13ld\n", when, h.descriptors, h.threads, h.instanceFolders, h.children,
                h.officeProcesses, h.residentKb);
}

}  // namespace

int main(int argc, char* argv[])
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const int files = argc > 1 ? std::max(1, std::atoi(argv[1])) : 100;

    PrivateCups cups({"Soak_Q"});
    if (!cups.started()) {
        std::fprintf(stderr, "the private CUPS scheduler did not start\n");
        return 1;
    }
    const TempTree folderTree{"plotvane-soak-"};
    const std::string folder = folderTree.root();
    const std::string work = folder + "/work";
    std::system(("mkdir -p " + shellQuoted(work)).c_str());
    const std::vector<std::string> paths = writeDrawings(folder, files);

    FakeDialogs dialogs;
    FakePointer pointer;
    FakeLifetime lifetime;
    FakeListItems list;
    FakePrintView view("Soak_Q", "0 seconds");
    SteadyClock clock;
    QtEventPump events;
    OfficeOptions options;
    options.workRoot = work;
    OfficeAppFactory office(events, lifetime, options);
    DiagramAppAdapter adapter(office, dialogs, pointer, lifetime);
    PrintRun run(list, view, adapter, pointer, dialogs, clock, events, lifetime);

    std::printf("%-26s %11s %7s %15s %15s %16s %13s\n", "", "descriptors", "threads", "instance dirs", "child procs",
                "office procs", "resident kB");
    // The scheduler's job list is read once before anything is measured: the
    // connection libcups keeps for it is the benchmark's, not the program's.
    std::size_t jobsBefore = cups.jobs().size();
    adapter.checkInstalled();
    const Holdings started = settled(work);
    show("after start-up", started);

    list.entries = {paths[0]};
    run.startPrinting();
    const Holdings warm = settled(work);
    show("after a first file", warm);

    list.entries = paths;
    jobsBefore = cups.jobs().size();
    const double start = now();
    run.startPrinting();
    const double spent = now() - start;
    const Holdings after = settled(work);
    show(("after " + std::to_string(files) + " files").c_str(), after);

    std::printf("\ngrowth since start-up, over both runs:  descriptors %+d, threads %+d, instance folders %+d, "
                "child processes %+d, office processes %+d\n",
                after.descriptors - started.descriptors, after.threads - started.threads,
                after.instanceFolders - started.instanceFolders, after.children - started.children,
                after.officeProcesses - started.officeProcesses);
    std::printf("growth over the %d files:  descriptors %+d, threads %+d, instance folders %+d, child processes %+d, "
                "office processes %+d, resident memory %+ld kB\n",
                files, after.descriptors - warm.descriptors, after.threads - warm.threads,
                after.instanceFolders - warm.instanceFolders, after.children - warm.children,
                after.officeProcesses - warm.officeProcesses, after.residentKb - warm.residentKb);
    std::printf("jobs received: %zu of %d; error reports: %zu; %.1f s in all, %.2f s per file (2 s of it waits)\n",
                cups.jobs().size() - jobsBefore, files, dialogs.reportedLines().size(), spent, spent / files);

    return 0;
}
