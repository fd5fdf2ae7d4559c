// Test label: system (a private CUPS scheduler)
#include "PortableTest.h"

#include <csignal>
#include <fstream>
#include <string>

#include "base/Failure.h"
#include "fakes/FakeClock.h"
#include "fakes/FakeDialogs.h"
#include "fakes/FakeLifetime.h"
#include "fakes/FakeListItems.h"
#include "fakes/FakePointer.h"
#include "fakes/FakePrintView.h"
#include "fakes/PollEventPump.h"
#include "platform/posix/CupsPrinters.h"
#include "printing/DiagramAppAdapter.h"
#include "printing/PrintRun.h"
#include "printing/PrintingTestSupport.h"
#include "printing/posix/OfficeAppFactory.h"

using namespace printing_test;

namespace {

// Ends the private scheduler, as a stopped CUPS service does; its folder stays.
bool stopScheduler(const PrivateCups& cups)
{
    int pid = 0;
    std::ifstream(cups.folder() + "/cupsd.pid") >> pid;
    return pid > 0 && ::kill(pid, SIGTERM) == 0 && goneWithin(pid, 10);
}

}  // namespace

PV_TEST(aSchedulerThatStopsMidRunIsNamedWithItsReasonAtBothPrintSteps)
{
    PrivateCups cups({"Plotter_A"});
    PV_CHECK(cups.started());
    const std::string drawings = makeTempFolder("plotvane-gone-");
    writeVdx(drawings + "/one.vdx", {"One"});
    writeVdx(drawings + "/two.vdx", {"Two"});

    FakeListItems list;
    list.entries = {drawings + "/one.vdx", drawings + "/two.vdx"};
    FakePrintView view("Plotter_A", "0 seconds");
    FakeDialogs dialogs;
    FakePointer pointer;
    FakeClock clock;
    FakeLifetime lifetime;
    PollEventPump conversions;
    OfficeOptions options;
    options.workRoot = drawings;
    OfficeAppFactory factory(conversions, lifetime, options);
    DiagramAppAdapter adapter(factory, dialogs, pointer, lifetime);
    PrintRun run(list, view, adapter, pointer, dialogs, clock, clock, lifetime);
    // The scheduler goes in the pause after the first file.
    bool stopped = false;
    clock.onPump = [&] {
        if (!stopped && cups.jobs().size() == 1)
            stopped = stopScheduler(cups);
    };
    run.startPrinting();
    PV_CHECK(stopped);

    const std::string reason =
        "The print service (CUPS) cannot be reached at " + cups.folder() + "/cups.sock: No such file or directory";
    PV_CHECK_EQ(dialogs.reportedLines(), (std::vector<int>{122, 126}));
    for (std::size_t i = 0; i < dialogs.messages.size() && i < 2; ++i)
        PV_CHECK_EQ(dialogs.messages[i].text.substr(0, reason.size()), reason);

    // The printer list at the next start says the same.
    PV_CHECK_EQ(portable_test::failureOf([] { CupsPrinters().names(); }), reason);
    removeFolder(drawings);
}
