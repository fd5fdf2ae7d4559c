#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "FakeAutomationServer.h"
#include "PortableTest.h"
#include "app/Failure.h"
#include "printing/win/ComApartment.h"
#include "printing/win/ComDiagramAppFactory.h"

namespace {

const char* const ClassName = "Visio.Application";

// The member calls the print run makes for one file.
void printOneFile(DiagramAppFactory& factory, const std::string& path, const std::string& printer)
{
    auto app = factory.create(ClassName);
    app->getObject("Documents")->call("Open", {path}, {});
    app->putText("ActivePrinter", printer);
    app->getObject("ActiveDocument")->call("PrintOut", {}, {{"PrintRange", std::int16_t{0}}});
    app->call("Quit", {}, {});
}

std::string failureOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const Failure& failure) {
        return failure.what();
    }
    return "(no failure)";
}

using Placement = FakeAutomationServer::Placement;

// In the caller's apartment calls reach the server directly; on a thread of its
// own they pass COM's proxies, as calls to the application's own process do.
const Placement Placements[] = {Placement::CallersApartment, Placement::OwnThread};

bool serverReady(const FakeAutomationServer& server)
{
    if (!server.available())
        std::printf("    note: the class name belongs to an installed server here; the fake server stays out\n");
    return server.available();
}

}  // namespace

PV_TEST(oneFileReachesTheServerAsTheExactMemberSequence)
{
    const std::vector<std::string> expected = {
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
    for (const Placement placement : Placements) {
        ComApartment apartment;
        FakeAutomationServer server(ClassName, "Microsoft Visio", placement);
        if (!serverReady(server))
            return;
        {
            ComDiagramAppFactory factory;
            printOneFile(factory, "C:\\Pläne 2021\\plan.vsd", "Plotter A");
        }
        const std::vector<std::string> calls = server.calls();
        PV_CHECK_EQ(calls.size(), expected.size());
        for (std::size_t i = 0; i < expected.size() && i < calls.size(); ++i)
            PV_CHECK_EQ(calls[i], expected[i]);
        // The instance, the collection and both documents (the one Open
        // returned and the active one) are all released.
        PV_CHECK_EQ(server.liveObjects(), 0);
    }
}

PV_TEST(withoutARegisteredClassNothingIsCreatedOrAttachedAndNothingStarts)
{
    ComApartment apartment;
    FakeAutomationServer server(ClassName, "Microsoft Visio");
    if (!serverReady(server))
        return;
    ComDiagramAppFactory factory;

    // Registered but not running: attaching fails without starting an instance.
    PV_CHECK(failureOf([&] { factory.attach(ClassName); }) != "(no failure)");
    PV_CHECK_EQ(server.instancesCreated(), 0);

    server.unregisterClassName();
    const std::string createFailure = failureOf([&] { factory.create(ClassName); });
    const std::string attachFailure = failureOf([&] { factory.attach(ClassName); });
    PV_CHECK(createFailure != "(no failure)" && !createFailure.empty());
    PV_CHECK(attachFailure != "(no failure)" && !attachFailure.empty());
    PV_CHECK_EQ(server.instancesCreated(), 0);
    PV_CHECK(server.calls().empty());
}

PV_TEST(attachingFindsTheRunningInstanceAndReadsItsNameAsItIs)
{
    for (const Placement placement : Placements) {
        for (const std::string name : {"Microsoft Visio", "microsoft visio"}) {
            ComApartment apartment;
            FakeAutomationServer server(ClassName, name, placement);
            if (!serverReady(server))
                return;
            server.registerRunningInstance();
            const int running = server.liveObjects();
            {
                ComDiagramAppFactory factory;
                auto app = factory.attach(ClassName);
                PV_CHECK_EQ(app->getText("name"), name);
            }
            // Nothing was started and the running instance was not asked to quit.
            PV_CHECK_EQ(server.instancesCreated(), 0);
            const std::vector<std::string> expected = {"Application.names(name)", "Application.get(name)"};
            PV_CHECK(server.calls() == expected);
            PV_CHECK_EQ(server.liveObjects(), running);
        }
    }
}

PV_TEST(failuresCarryTheServersDescriptionOrTheSystemsText)
{
    for (const Placement placement : Placements) {
        ComApartment apartment;
        FakeAutomationServer server(ClassName, "Microsoft Visio", placement);
        if (!serverReady(server))
            return;
        const std::string description = "Die Zeichnung „plan.vsd“ ist beschädigt.";
        server.failOpenWith(description);
        {
            ComDiagramAppFactory factory;
            auto app = factory.create(ClassName);
            const auto open = [&] { app->getObject("Documents")->call("Open", {std::string("C:\\x\\plan.vsd")}, {}); };
            PV_CHECK_EQ(failureOf(open), description);
            // A member the server does not know: the system's words, on one line.
            PV_CHECK_EQ(failureOf([&] { app->call("Frobnicate", {}, {}); }), std::string("Unknown name."));
            // A property that holds text is no object.
            PV_CHECK_EQ(failureOf([&] { app->getObject("name"); }), std::string("Object required"));
            // A property read with no document open reports the server's text.
            PV_CHECK_EQ(failureOf([&] { app->getObject("ActiveDocument"); }),
                        std::string("No document is open."));
        }
        // The instance whose file did not open is released, not quit.
        PV_CHECK_EQ(server.liveObjects(), 0);
        for (const auto& call : server.calls())
            PV_CHECK(call.find("Quit") == std::string::npos);
    }
}

PV_TEST(endingAllQuitsOnlyTheInstancesStillInWork)
{
    ComApartment apartment;
    FakeAutomationServer server(ClassName, "Microsoft Visio");
    if (!serverReady(server))
        return;
    ComDiagramAppFactory factory;
    auto quitAlready = factory.create(ClassName);
    quitAlready->call("Quit", {}, {});
    auto dropped = factory.create(ClassName);
    dropped.reset();
    auto inWork = factory.create(ClassName);

    const std::size_t before = server.calls().size();
    factory.endAll();
    const std::vector<std::string> calls = server.calls();
    const std::vector<std::string> quits(calls.begin() + static_cast<std::ptrdiff_t>(before), calls.end());
    const std::vector<std::string> expected = {"Application.names(Quit)", "Application.call(Quit)"};
    PV_CHECK(quits == expected);

    // Once quit, an instance is not quit a second time.
    factory.endAll();
    PV_CHECK_EQ(server.calls().size(), before + 2);
}
