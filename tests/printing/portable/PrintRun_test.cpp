#include "PortableTest.h"

#include <string>
#include <vector>

#include "base/WindowPointer.h"
#include "fakes/FakePump.h"
#include "fakes/FakeDiagramApp.h"
#include "fakes/FakeDialogs.h"
#include "fakes/FakeLifetime.h"
#include "fakes/FakeListItems.h"
#include "fakes/FakePointer.h"
#include "fakes/FakePrintView.h"
#include "platform/PathStyle.h"
#include "printing/DiagramAppAdapter.h"
#include "printing/PrintRun.h"

namespace {

using Texts = std::vector<std::string>;

struct Rig {
    FakeListItems list;
    FakePrintView view;
    FakeDiagramAppFactory server;
    FakeDialogs dialogs;
    FakePointer pointer;
    FakePump events;
    FakeClock clock{events.time};
    FakeLifetime lifetime;
    DiagramAppAdapter adapter{server, dialogs, pointer, lifetime};
    PrintRun run{list, view, adapter, pointer, dialogs, clock, events, lifetime};

    explicit Rig(Texts files)
    {
        list.entries = std::move(files);
        server.clock = &clock;
        dialogs.setApplicationTitle("Plotvane Batch Print");
    }
    // Times at which the calls with this text were made.
    std::vector<double> times(const std::string& text) const
    {
        std::vector<double> result;
        for (const auto& call : server.calls)
            if (call.text == text)
                result.push_back(call.at);
        return result;
    }
    int count(const std::string& text) const { return static_cast<int>(times(text).size()); }
};

Texts fileCalls(const std::string& path, const std::string& printer)
{
    return {"create Visio.Application", "open " + path, "setActivePrinter " + printer, "printAllPages", "quit"};
}

}  // namespace

PV_TEST(eachFileGoesThroughItsOwnInstanceInTheFixedOrder)
{
    Rig rig({"/d/a one.vsd", "/d/b.vdx"});
    rig.view.pause = "0 seconds";
    rig.run.startPrinting();

    Texts expected = {"attach Visio.Application"};
    for (const auto& path : rig.list.entries)
        for (const auto& call : fileCalls(path, "Plotter_A"))
            expected.push_back(call);
    PV_CHECK_EQ(rig.server.texts(), expected);
    PV_CHECK_EQ(rig.server.instancesAlive(), 0);
    PV_CHECK_EQ(rig.server.endAllCalls, 0);
    PV_CHECK_EQ(rig.dialogs.texts(), Texts{"Done."});
    PV_CHECK_EQ(rig.dialogs.messages[0].title, std::string("Plotvane Batch Print"));
    PV_CHECK_EQ(rig.dialogs.messages[0].icon, MessageIcon::None);
    PV_CHECK_EQ(rig.view.values.back(), 0.0);
    PV_CHECK_EQ(rig.view.texts.back(), std::string("Progress Bar"));
    PV_CHECK_EQ(rig.pointer.mousePointer(), MousePointer::Default);
    PV_CHECK(!rig.run.isPrinting());
}

PV_TEST(eachFileTellsItsOutcome)
{
    struct Told final : PrintRunObserver {
        Texts said;
        void runStarted(int files) override { said.push_back("run " + std::to_string(files)); }
        void fileStarted(int at, const std::string& path) override
        {
            said.push_back("in work " + std::to_string(at) + " " + path);
        }
        void fileSent(int at, const PrintHandOff& sent) override
        {
            said.push_back("sent " + std::to_string(at) + " " + sent.printer);
        }
        void fileFailed(int at, int line, const std::string& reason) override
        {
            said.push_back("failed " + std::to_string(at) + " at " + std::to_string(line) + ": " + reason);
        }
        void runEnded() override { said.push_back("ended"); }
    };
    const struct {
        void (*script)(FakeDiagramAppFactory&);
        Texts said;
    } cases[] = {
        {[](FakeDiagramAppFactory& app) { app.unopenable = {"/d/b.vdx"}; },
         {"run 2", "in work 1 /d/a.vsd", "sent 1 Plotter_A", "in work 2 /d/b.vdx",
          "failed 2 at 120: File not found: /d/b.vdx", "ended"}},
        {[](FakeDiagramAppFactory& app) { app.rejectedPrinters = {"Plotter_A"}; },
         {"run 2", "in work 1 /d/a.vsd", "failed 1 at 122: Invalid printer name: Plotter_A", "in work 2 /d/b.vdx",
          "failed 2 at 122: Invalid printer name: Plotter_A", "ended"}},
        {[](FakeDiagramAppFactory& app) { app.failing["printAllPages"] = "Printer out of paper"; },
         {"run 2", "in work 1 /d/a.vsd", "failed 1 at 126: Printer out of paper", "in work 2 /d/b.vdx",
          "failed 2 at 126: Printer out of paper", "ended"}},
    };
    for (const auto& c : cases) {
        Rig rig({"/d/a.vsd", "/d/b.vdx"});
        rig.view.pause = "0 seconds";
        c.script(rig.server);
        Told told;
        PrintRun run{rig.list,  rig.view,   rig.adapter,  rig.pointer, rig.dialogs,
                     rig.clock, rig.events, rig.lifetime, told};
        run.startPrinting();
        PV_CHECK(told.said == c.said);
    }
}

PV_TEST(emptyListOnlySaysSo)
{
    Rig rig({});
    rig.run.startPrinting();
    PV_CHECK_EQ(rig.dialogs.texts(), Texts{"No files added."});
    PV_CHECK(rig.server.calls.empty());
    PV_CHECK(rig.view.values.empty() && rig.view.texts.empty());
    PV_CHECK(rig.pointer.history.empty());
    PV_CHECK(!rig.run.isPrinting());
}

PV_TEST(barAndWaitsFollowTheFilesAndThePause)
{
    const struct {
        Texts files;
        const char* pause;
        std::vector<double> values;
        double pauseAfterQuit;
    } cases[] = {
        {{"/x/plan.vsd"}, "0 seconds", {100.0, 0.0}, 1.0},
        {{"/x/a.vsd", "/x/b.vsd", "/x/c.vsd"}, "5 seconds", {1.0 / 3.0 * 100.0, 2.0 / 3.0 * 100.0, 100.0, 0.0}, 6.0},
        {{"/x/a.vsd", "/x/b.vsd"}, "9 seconds", {50.0, 100.0, 0.0}, 10.0},
    };
    for (const auto& c : cases) {
        Rig rig(c.files);
        rig.view.pause = c.pause;
        rig.run.startPrinting();
        PV_CHECK_EQ(rig.view.values, c.values);
        const auto printed = rig.times("printAllPages");
        const auto quits = rig.times("quit");
        const auto creates = rig.times("create Visio.Application");
        PV_CHECK_EQ(quits.size(), c.files.size());
        for (std::size_t i = 0; i < quits.size() && i < printed.size(); ++i)
            PV_CHECK_EQ(quits[i] - printed[i], 1.0);
        for (std::size_t i = 1; i < creates.size(); ++i)
            PV_CHECK_EQ(creates[i] - quits[i - 1], c.pauseAfterQuit);
        PV_CHECK_EQ(rig.events.waited, c.files.size() * (1.0 + c.pauseAfterQuit));
        PV_CHECK_EQ(rig.dialogs.texts(), Texts{"Done."});
    }
}

PV_TEST(progressTextNamesTheFile)
{
    const std::string separator(1, separatorOf(nativePathStyle()));
    Rig rig({separator + "home" + separator + "My Drawings" + separator + "plan ü.vsdx", "noslash.vsd"});
    rig.view.pause = "0 seconds";
    rig.run.startPrinting();
    PV_CHECK_EQ(rig.view.texts, (Texts{"Processing: plan ü.vsdx", "Processing: noslash.vsd", "Progress Bar"}));
}

PV_TEST(failuresAreReportedWithTheirLinesAndTheRunGoesOn)
{
    const struct {
        std::vector<int> lines;
        int printed;
        const char* secondReport;  // how the second report begins; empty: not checked
        void (*script)(FakeDiagramAppFactory&);
    } cases[] = {
        // The file cannot be opened: no instance, so the printer, print and quit
        // steps fail too; the waits are still made and the next file prints.
        {{120, 122, 126, 132}, 1, "", [](FakeDiagramAppFactory& app) { app.unopenable.insert("/d/first.vsd"); }},
        // The printer is refused, for both files: neither prints elsewhere.
        {{122, 126, 122, 126},
         0,
         "Not printed: the printer \"Plotter_A\" could not be set (line 122)\r\n",
         [](FakeDiagramAppFactory& app) { app.rejectedPrinters.insert("Plotter_A"); }},
        // The print itself fails, for both files; each instance is still quit.
        {{126, 126}, 2, "", [](FakeDiagramAppFactory& app) { app.failing["printAllPages"] = "Printer out of paper"; }},
    };
    for (const auto& c : cases) {
        Rig rig({"/d/first.vsd", "/d/second.vsd"});
        c.script(rig.server);
        rig.run.startPrinting();
        PV_CHECK_EQ(rig.dialogs.reportedLines(), c.lines);
        PV_CHECK_EQ(rig.count("printAllPages"), c.printed);
        if (*c.secondReport)
            PV_CHECK_EQ(rig.dialogs.texts()[1].rfind(c.secondReport, 0), 0u);
        PV_CHECK_EQ(rig.events.waited, 2 * (1.0 + 6.0));
        // Every instance is quit, also one whose file could not be opened.
        PV_CHECK_EQ(rig.server.instancesAlive(), 0);
        PV_CHECK_EQ(rig.dialogs.texts().back(), std::string("Done."));
        PV_CHECK(!rig.run.isPrinting());
    }
}

PV_TEST(unopenableFileIsQuitAndItsFailureQuoted)
{
    Rig rig({"/d/broken.vsd"});
    rig.server.unopenable.insert("/d/broken.vsd");
    rig.run.startPrinting();
    PV_CHECK_EQ(rig.server.texts(),
                (Texts{"attach Visio.Application", "create Visio.Application", "open /d/broken.vsd", "quit"}));
    PV_CHECK_EQ(rig.dialogs.texts()[0].rfind("File not found: /d/broken.vsd\r\n"
                                             "in Sheetwick2021/08/31.Form1.PushButton2_Click at line 120\r\r",
                                             0),
                0u);
}

PV_TEST(pauseThatIsNoDigitIsReportedAndSkipped)
{
    for (const char* pause : {"", "x seconds", " 5 seconds"}) {
        Rig rig({"/d/a.vsd"});
        rig.view.pause = pause;
        rig.run.startPrinting();
        PV_CHECK_EQ(rig.dialogs.reportedLines(), std::vector<int>{136});
        PV_CHECK_EQ(rig.events.waited, 1.0);
        PV_CHECK_EQ(rig.count("printAllPages"), 1);
    }
}

PV_TEST(runningInstancePromptDecidesTheRun)
{
    for (const MessageAnswer answer : {MessageAnswer::Yes, MessageAnswer::No}) {
        Rig rig({"/d/a.vsd", "/d/b.vsd"});
        rig.server.running = true;
        rig.dialogs.messageAnswers = {answer};
        rig.run.startPrinting();
        const auto& box = rig.dialogs.messages.at(0);
        PV_CHECK_EQ(box.text, std::string("Visio may be open. It is recommended that you close Visio first.\r\n\r\n"
                                          "Would you like to proceed anyway?"));
        PV_CHECK(box.buttons == MessageButtons::YesNo && box.defaultYes && box.icon == MessageIcon::None);
        PV_CHECK_EQ(box.title, std::string("Plotvane Batch Print"));
        if (answer == MessageAnswer::No) {
            PV_CHECK_EQ(rig.server.texts(), (Texts{"attach Visio.Application", "name"}));
            PV_CHECK_EQ(rig.dialogs.messages.size(), 1u);
            PV_CHECK(rig.view.values.empty() && rig.pointer.history.empty());
        } else {
            // The running instance is left alone; each file gets its own.
            PV_CHECK_EQ(rig.count("create Visio.Application"), 2);
            PV_CHECK_EQ(rig.count("quit"), 2);
            PV_CHECK_EQ(rig.dialogs.texts().back(), std::string("Done."));
        }
        PV_CHECK(!rig.run.isPrinting());
    }
}

PV_TEST(secondClickDuringARunIsTurnedAway)
{
    Rig rig({"/d/a.vsd", "/d/b.vsd"});
    int clicks = 0;
    rig.events.onPump = [&] {
        PV_CHECK(rig.run.isPrinting());
        ++clicks;
        rig.run.startPrinting();
    };
    rig.run.startPrinting();
    PV_CHECK(clicks > 0);
    PV_CHECK_EQ(rig.count("create Visio.Application"), 2);
    PV_CHECK_EQ(rig.count("attach Visio.Application"), 1);
    PV_CHECK_EQ(rig.dialogs.texts(), Texts{"Done."});
    PV_CHECK(!rig.run.isPrinting());
}

PV_TEST(listBeyondSixteenBitsOverflowsAndPrintsNothing)
{
    Rig rig(Texts(32768, "/d/a.vsd"));
    rig.run.startPrinting();
    PV_CHECK_EQ(rig.dialogs.reportedLines(), std::vector<int>{108});
    PV_CHECK_EQ(rig.dialogs.texts()[0].substr(0, 10), std::string("Overflow\r\n"));
    PV_CHECK_EQ(rig.count("create Visio.Application"), 0);
    PV_CHECK_EQ(rig.dialogs.texts().back(), std::string("Done."));
}

PV_TEST(largestSixteenBitListIsCounted)
{
    Rig rig(Texts(32767, "/d/a.vsd"));
    int pumps = 0;
    rig.events.onPump = [&] {
        if (++pumps == 1)
            rig.list.entries.resize(1);  // stop after the first file
    };
    rig.run.startPrinting();
    PV_CHECK_EQ(rig.count("create Visio.Application"), 1);
    PV_CHECK_EQ(rig.dialogs.reportedLines().size(), 32766u);
}

PV_TEST(vanishedPositionIsReportedAndNothingIsDoneForIt)
{
    Rig rig({"/d/a.vsd", "/d/b.vsd", "/d/c.vsd"});
    int pumps = 0;
    rig.events.onPump = [&] {
        if (++pumps == 1)
            rig.list.remove(3);
    };
    rig.run.startPrinting();
    PV_CHECK_EQ(rig.dialogs.reportedLines(), std::vector<int>{110});
    PV_CHECK_EQ(rig.count("create Visio.Application"), 2);
    PV_CHECK_EQ(rig.events.waited, 2 * (1.0 + 6.0));
    PV_CHECK_EQ(rig.view.values, (std::vector<double>{1.0 / 3.0 * 100.0, 100.0, 0.0}));
}

PV_TEST(aFileMadeReadyThatThenVanishesIsDroppedWithTheRun)
{
    Rig rig({"/d/a.vsd", "/d/b.vsd"});
    rig.server.onCall = [&](const std::string& call) {
        if (call == "quit")
            rig.list.entries.resize(1);  // b was named before a's waits
    };
    rig.run.startPrinting();
    PV_CHECK_EQ(rig.dialogs.reportedLines(), std::vector<int>{110});
    const auto& hints = rig.server.hints;
    PV_CHECK(hints.size() == 2 && hints[0].text == "/d/b.vsd" && hints[1].text.empty());
}

PV_TEST(entriesAndChoicesChangedDuringARun)
{
    // n is taken once: added entries are not printed but count in the bar; a
    // new printer or pause applies from the next file on.
    Rig rig({"/d/a.vsd", "/d/b.vsd"});
    int pumps = 0;
    rig.events.onPump = [&] {
        if (++pumps == 1) {
            rig.list.add("/d/c.vsd");
            rig.list.add("/d/d.vsd");
        }
    };
    rig.server.onCall = [&](const std::string& call) {
        if (call == "quit") {
            rig.view.printer = "Plotter_B";
            rig.view.pause = "0 seconds";
        }
    };
    rig.run.startPrinting();
    PV_CHECK_EQ(rig.view.values, (std::vector<double>{50.0, 50.0, 0.0}));
    PV_CHECK_EQ(rig.count("setActivePrinter Plotter_A"), 1);
    PV_CHECK_EQ(rig.count("setActivePrinter Plotter_B"), 1);
    PV_CHECK_EQ(rig.count("create Visio.Application"), 2);
    PV_CHECK_EQ(rig.events.waited, 2 * (1.0 + 1.0));
    // The next file is named once a file has printed, before its waits; none after the n-th.
    const auto& hints = rig.server.hints;
    PV_CHECK(hints.size() == 2 && hints[0].text == "/d/b.vsd" && hints[1].text.empty()
             && hints[0].at == rig.times("printAllPages")[0]);
}

PV_TEST(closingDuringARunEndsTheInstanceInWork)
{
    Rig rig({"/d/a.vsd", "/d/b.vsd"});
    rig.server.onCall = [&](const std::string& call) {
        if (call == "printAllPages")
            rig.lifetime.end();
    };
    rig.run.startPrinting();
    PV_CHECK_EQ(rig.server.endAllCalls, 1);
    PV_CHECK_EQ(rig.count("create Visio.Application"), 1);
    PV_CHECK_EQ(rig.server.texts().back(), std::string("printAllPages"));
    PV_CHECK(rig.dialogs.messages.empty());
    PV_CHECK_EQ(rig.events.waited, 0.0);
}

PV_TEST(theHourglassIsPutBackAfterEveryCallIntoTheApplication)
{
    // An application that resets the window's pointer whenever it is called:
    // the hourglass must stand again at every later call and through every wait.
    Rig rig({"/d/a.vsd"});
    Texts pointerAt;
    const auto shown = [&] { return rig.pointer.mousePointer() == MousePointer::Hourglass ? "hourglass" : "other"; };
    rig.server.onCall = [&](const std::string& call) {
        pointerAt.push_back(call + ": " + shown());
        rig.pointer.setMousePointer(MousePointer::Default);
    };
    rig.events.onPump = [&] { pointerAt.push_back(std::string("wait: ") + shown()); };
    rig.run.startPrinting();
    PV_CHECK_EQ(pointerAt,
                (Texts{"attach Visio.Application: other", "wait: other", "create Visio.Application: hourglass",
                       "open /d/a.vsd: hourglass", "setActivePrinter Plotter_A: hourglass", "printAllPages: hourglass",
                       "wait: hourglass", "quit: hourglass", "wait: hourglass"}));
}
