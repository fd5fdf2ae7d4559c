#include <algorithm>
#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "FakeAutomationServer.h"
#include "PortableTest.h"
#include "fakes/FakeDialogs.h"
#include "fakes/FakeLifetime.h"
#include "fakes/FakePointer.h"
#include "printing/DiagramAppAdapter.h"
#include "printing/win/ComApartment.h"
#include "printing/win/ComDiagramApp.h"
#include "printing/win/ComDiagramAppFactory.h"

namespace {

using namespace std::chrono_literals;

const char* const ClassName = DiagramAppAdapter::ClassName;
using Texts = std::vector<std::string>;
using Placement = FakeAutomationServer::Placement;

// In the caller's apartment calls reach the server directly; on a thread of its
// own they pass COM's proxies, as calls to the application's own process do.
const std::vector<Placement> BothPlacements = {Placement::CallersApartment, Placement::OwnThread};

// The adapter over the COM factory, as the program puts them together.
struct Rig {
    explicit Rig(CallLimits limits = {}) : factory(limits) {}

    ComDiagramAppFactory factory;
    FakeDialogs dialogs;
    FakePointer pointer;
    FakeLifetime lifetime;
    DiagramAppAdapter adapter{factory, dialogs, pointer, lifetime};
};

// Runs the body against a fresh fake server in each placement, within an
// apartment of the test's own. A server that did not start fails the test,
// with the reason, instead of passing without having tested anything.
void withServer(const std::vector<Placement>& placements, const std::function<void(FakeAutomationServer&)>& body,
                const char* instanceName = "Microsoft Visio")
{
    for (const Placement placement : placements) {
        ComApartment apartment;
        FakeAutomationServer server(ClassName, instanceName, placement);
        if (!server.available()) {
            portable_test::fail(__FILE__, __LINE__,
                                "the fake automation server is not available: " + server.whyUnavailable());
            return;
        }
        body(server);
    }
}

// How long the fake server hangs at most: long enough that every call a test
// makes to a hanging server runs out well before, where COM cancels a call at once.
constexpr auto HangsAtMost = 4s;

bool underWine()
{
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

// Whether the calls came back while the server still hung, as they must where
// COM cancels a call that is out. Wine's COM asks the message filter and
// honours its cancelling only once the server has answered.
void checkCameBackWhileHanging(bool cameBackWhileHanging, int line)
{
    if (cameBackWhileHanging)
        return;
    if (underWine())
        portable_test::skip(__FILE__, line,
                            "Wine's COM hands back a cancelled call only once the server answers, so whether the "
                            "call came back at its bound while the server still hung cannot be seen here");
    else
        portable_test::fail(__FILE__, line, "the calls came back only once the server answered");
}

bool contains(const Texts& calls, const std::string& call)
{
    return std::find(calls.begin(), calls.end(), call) != calls.end();
}

}  // namespace

PV_TEST(oneFileReachesTheServerAsTheExactMemberSequence)
{
    const Texts expected = {
        "create",
        "Application.names(Documents)",
        "Application.get(Documents)",
        "Documents.names(Open)",
        "Documents.call(Open; \"C:\\Pläne 2021\\plan.vsd\")",
        "Application.names(ActivePrinter)",
        "Application.put(ActivePrinter; PROPERTYPUT=\"Plotter A\")",
        "Application.names(ActiveDocument)",
        "Application.get(ActiveDocument)",
        "Document.names(PrintOut, PrintRange)",
        "Document.call(PrintOut; PrintRange=I2:0)",
        "Application.names(Quit)",
        "Application.call(Quit)",
    };
    withServer(BothPlacements, [&](FakeAutomationServer& server) {
        {
            Rig rig;
            auto app = rig.adapter.openInNewInstance("C:\\Pläne 2021\\plan.vsd");
            app->setActivePrinter("Plotter A");
            app->printAllPages();
            app->quit();
        }
        const Texts calls = server.calls();
        PV_CHECK_EQ(calls.size(), expected.size());
        for (std::size_t i = 0; i < expected.size() && i < calls.size(); ++i)
            PV_CHECK_EQ(calls[i], expected[i]);
        // The instance, the collection and both documents (the one Open
        // returned and the active one) are all released.
        PV_CHECK_EQ(server.liveObjects(), 0);
    });
}

PV_TEST(withoutARegisteredClassTheApplicationIsNotInstalledAndNotRunning)
{
    withServer({Placement::CallersApartment}, [](FakeAutomationServer& server) {
        {
            // Registered but not running: attaching starts nothing.
            Rig rig;
            PV_CHECK(!rig.adapter.isRunning());
            PV_CHECK_EQ(server.instancesCreated(), 0);
        }
        server.unregisterClassName();
        Rig rig;
        PV_CHECK(!rig.adapter.isRunning());
        PV_CHECK(!rig.adapter.checkInstalled());
        PV_CHECK_EQ(rig.dialogs.texts(), Texts{DiagramAppAdapter::NotInstalledText});
        PV_CHECK(rig.lifetime.ended());
        PV_CHECK_EQ(server.instancesCreated(), 0);
        PV_CHECK(server.calls().empty());
    });
}

PV_TEST(theInstalledCheckStartsAndQuitsOneInstance)
{
    withServer({Placement::CallersApartment}, [](FakeAutomationServer& server) {
        Rig rig;
        PV_CHECK(rig.adapter.checkInstalled());
        PV_CHECK_EQ(server.calls(), (Texts{"create", "Application.names(Quit)", "Application.call(Quit)"}));
        PV_CHECK(rig.dialogs.messages.empty());
        PV_CHECK_EQ(server.liveObjects(), 0);
    });
}

PV_TEST(aRunningInstanceCountsOnlyWithTheExactName)
{
    const struct {
        const char* name;
        bool running;
    } cases[] = {{"Microsoft Visio", true}, {"microsoft visio", false}, {"Microsoft Visio ", false}};
    for (const auto& c : cases) {
        withServer(
            BothPlacements,
            [&](FakeAutomationServer& server) {
                server.registerRunningInstance();
                const int running = server.liveObjects();
                {
                    Rig rig;
                    PV_CHECK_EQ(rig.adapter.isRunning(), c.running);
                }
                // Nothing was started and the running instance was not asked to quit.
                PV_CHECK_EQ(server.instancesCreated(), 0);
                PV_CHECK_EQ(server.calls(), (Texts{"Application.names(name)", "Application.get(name)"}));
                PV_CHECK_EQ(server.liveObjects(), running);
            },
            c.name);
    }
}

PV_TEST(failuresCarryTheServersDescriptionOrTheSystemsText)
{
    withServer(BothPlacements, [](FakeAutomationServer& server) {
        const std::string description = "Die Zeichnung „plan.vsd“ ist beschädigt.";
        server.failOpenWith(description);
        {
            Rig rig;
            PV_CHECK_EQ(portable_test::failureOf([&] { rig.adapter.openInNewInstance("C:\\x\\plan.vsd"); }),
                        description);
            // The instance whose file did not open is asked to quit and released.
            PV_CHECK_EQ(server.calls().back(), "Application.call(Quit)");
            PV_CHECK_EQ(server.liveObjects(), 0);

            auto app = rig.factory.create(ClassName);
            LateBoundObject& application = static_cast<ComDiagramApp&>(*app).application();
            // A member the server does not know: the system's words, on one line.
            PV_CHECK_EQ(portable_test::failureOf([&] { application.call("Frobnicate"); }),
                        std::string("Unknown name."));
            // A property that holds text is no object.
            PV_CHECK_EQ(portable_test::failureOf([&] { application.getObject("name"); }),
                        std::string("Object required"));
            // A property read with no document open reports the server's text.
            PV_CHECK_EQ(portable_test::failureOf([&] { app->printAllPages(); }), std::string("No document is open."));
        }
        PV_CHECK_EQ(server.liveObjects(), 0);
    });
}

PV_TEST(endingAllQuitsOnlyTheInstancesStillInWork)
{
    withServer({Placement::CallersApartment}, [](FakeAutomationServer& server) {
        Rig rig;
        auto quitAlready = rig.adapter.openInNewInstance("C:\\x\\a.vsd");
        quitAlready->quit();
        rig.adapter.openInNewInstance("C:\\x\\dropped.vsd");
        auto inWork = rig.adapter.openInNewInstance("C:\\x\\b.vsd");

        const std::size_t before = server.calls().size();
        rig.adapter.endAll();
        const Texts calls = server.calls();
        PV_CHECK_EQ(Texts(calls.begin() + static_cast<std::ptrdiff_t>(before), calls.end()),
                    (Texts{"Application.names(Quit)", "Application.call(Quit)"}));

        // Once quit, an instance is not quit a second time.
        rig.adapter.endAll();
        PV_CHECK_EQ(server.calls().size(), before + 2);
    });
}

PV_TEST(aCallThatGetsNoAnswerIsCancelledAndTheHangingInstanceGetsABriefQuit)
{
    // Only calls that pass COM's proxies can be cancelled.
    withServer({Placement::OwnThread}, [](FakeAutomationServer& server) {
        server.hangIn("Open", HangsAtMost);
        server.hangIn("Quit", HangsAtMost);
        Rig rig({1s, 200ms});
        auto app = rig.factory.create(ClassName);
        PV_CHECK_EQ(portable_test::failureOf([&] { app->open("C:\\x\\plan.vsd"); }),
                    std::string("No answer to Documents.Open within 1 second; the call was cancelled"));
        checkCameBackWhileHanging(server.hanging(), __LINE__);
        PV_CHECK_EQ(portable_test::failureOf([&] { app->quit(); }),
                    std::string("No answer to Quit within 200 milliseconds; the call was cancelled"));
        checkCameBackWhileHanging(server.hanging(), __LINE__);
    });
}

PV_TEST(closingEndsTheInstancesInWorkWithinTheBriefLimit)
{
    withServer({Placement::OwnThread}, [](FakeAutomationServer& server) {
        // Ordinary calls could wait a minute; closing gets a fifth of a second.
        Rig rig({60s, 200ms});
        auto inWork = rig.adapter.openInNewInstance("C:\\x\\a.vsd");
        server.hangIn("Quit", HangsAtMost);
        rig.adapter.endAll();
        checkCameBackWhileHanging(server.hanging(), __LINE__);
        PV_CHECK(contains(server.calls(), "Application.call(Quit)"));
        // Its Quit was cancelled at the brief limit, which holds for every call
        // from now on: asked again, the hanging instance costs no more.
        PV_CHECK_EQ(portable_test::failureOf([&] { inWork->quit(); }),
                    std::string("No answer to Quit within 200 milliseconds; the call was cancelled"));
        checkCameBackWhileHanging(server.hanging(), __LINE__);
    });
}
