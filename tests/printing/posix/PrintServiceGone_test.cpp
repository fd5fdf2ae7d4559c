// Test label: system (a private CUPS scheduler)
#include "PortableTest.h"

#include <csignal>
#include <fstream>
#include <string>

#include "base/Failure.h"
#include "fakes/FakePump.h"
#include "fakes/FakeDialogs.h"
#include "fakes/FakeLifetime.h"
#include "fakes/FakeListItems.h"
#include "fakes/FakePointer.h"
#include "fakes/FakePrintView.h"
#include "fakes/PollEventPump.h"
#include "platform/posix/CupsPrinters.h"
#include "platform/posix/CupsService.h"
#include "printing/DiagramAppAdapter.h"
#include "printing/PrintRun.h"
#include "support/PrintingTestSupport.h"
#include "printing/posix/OfficeAppFactory.h"

using namespace printing_test;

// The scheduler goes in the pause after the first file: stopped, as a stopped
// CUPS service is, or frozen, as a hung server is (it still takes
// connections). Either is named at the next request, within the time limit,
// and the window's events are handled while a request waits.
PV_TEST(aSchedulerThatGoesMidRunIsNamedAtTheStepThatNeededIt)
{
    PrivateCups cups({"Plotter_A"});
    PV_CHECK(cups.started());
    for (const int signal : {SIGSTOP, SIGTERM}) {  // frozen (and woken again afterwards), stopped
        const TempTree drawingsTree{"plotvane-gone-"};
        const std::string drawings = drawingsTree.root();
        writeVdx(drawings + "/one.vdx", {"One"});
        writeVdx(drawings + "/two.vdx", {"Two"});

        FakeListItems list;
        list.entries = {drawings + "/one.vdx", drawings + "/two.vdx"};
        FakePrintView view("Plotter_A", "0 seconds");
        FakeDialogs dialogs;
        FakePointer pointer;
        FakePump pump;
        FakeClock clock{pump.time};
        FakeLifetime lifetime;
        PollEventPump events;
        OfficeOptions options;
        options.workRoot = drawings;
        options.printServiceSeconds = 2;
        OfficeAppFactory factory(events, lifetime, options);
        DiagramAppAdapter adapter(factory, dialogs, pointer, lifetime);
        PrintRun run(list, view, adapter, pointer, dialogs, clock, pump, lifetime);
        const std::size_t before = cups.jobs().size();
        int pid = 0;
        bool gone = false;
        pump.onPump = [&] {
            if (!gone && cups.jobs().size() == before + 1 && std::ifstream(cups.folder() + "/cupsd.pid") >> pid)
                gone = ::kill(pid, signal) == 0 && (signal == SIGSTOP || goneWithin(pid, 10));
        };
        int waitsWhileGone = 0;
        events.onWait = [&] {
            waitsWhileGone += gone;
            return false;
        };
        run.startPrinting();
        PV_CHECK(gone);
        PV_CHECK(waitsWhileGone > 0);
        PV_CHECK_EQ(dialogs.reportedLines(), (std::vector<int>{122, 126}));

        const std::string where = cups.folder() + "/cups.sock";
        const std::string reason
            = signal == SIGSTOP
                  ? "The print service (CUPS) at " + where + " did not answer within 2 seconds"
                  : "The print service (CUPS) cannot be reached at " + where + ": No such file or directory";
        PV_CHECK_EQ(dialogs.messages.at(0).text.substr(0, reason.size()), reason);
        PV_CHECK_EQ(dialogs.messages.at(1).text.rfind("Not printed: the printer \"Plotter_A\" could not be set", 0),
                    0u);
        // The printer list at the next start says the same.
        FakeLifetime later;
        PV_CHECK_EQ(portable_test::failureOf([&] { CupsPrinters(events, later, 2).names(); }), reason);
        if (signal == SIGSTOP) {
            // Closing the window while a request waits ends the wait at once.
            events.onWait = [&] {
                later.end();
                return true;
            };
            PV_CHECK_EQ(CupsService::unreachable(), "The print service (CUPS) cannot be reached at " + where
                                                        + ": it did not answer within 5 seconds");
            PV_CHECK_EQ(portable_test::failureOf([&] { CupsPrinters(events, later, 20).names(); }),
                        std::string("The program is closing"));
            ::kill(pid, SIGCONT);
        }
    }
}
