#include "PortableTest.h"

#include <string>
#include <vector>

#include "base/WindowPointer.h"
#include "fakes/FakeDiagramApp.h"
#include "fakes/FakeDialogs.h"
#include "fakes/FakeLifetime.h"
#include "fakes/FakePointer.h"
#include "printing/DiagramAppAdapter.h"

namespace {

using Texts = std::vector<std::string>;

struct Rig {
    FakeDiagramAppFactory server;
    FakeDialogs dialogs;
    FakePointer pointer;
    FakeLifetime lifetime;
    DiagramAppAdapter adapter{server, dialogs, pointer, lifetime};
    Rig() { dialogs.setApplicationTitle("Plotvane Batch Print"); }
};

}  // namespace

PV_TEST(installedCheckStartsAndQuitsOneInstance)
{
    for (const bool quitFails : {false, true}) {
        Rig rig;
        if (quitFails)
            rig.server.failing["quit"] = "The server threw an exception";
        PV_CHECK(rig.adapter.checkInstalled());
        PV_CHECK_EQ(rig.server.texts(), (Texts{"create Visio.Application", "quit"}));
        PV_CHECK(rig.dialogs.messages.empty());
        PV_CHECK(!rig.lifetime.ended());
    }
}

PV_TEST(missingApplicationIsToldAndEndsTheProgram)
{
    Rig rig;
    rig.server.cannotCreate = true;
    PV_CHECK(!rig.adapter.checkInstalled());
    PV_CHECK_EQ(rig.dialogs.texts(),
                Texts{"Visio is not installed on this computer. You need to have it installed to use this software "
                      "without error."});
    const auto& box = rig.dialogs.messages[0];
    PV_CHECK(box.buttons == MessageButtons::Ok && box.icon == MessageIcon::None);
    PV_CHECK_EQ(box.title, std::string("Plotvane Batch Print"));
    PV_CHECK(rig.lifetime.ended());
}

PV_TEST(runningMeansAttachedAndNamedExactly)
{
    const struct {
        bool running;
        const char* name;
        const char* failingMember;
        bool expected;
    } cases[] = {
        {false, "Microsoft Visio", nullptr, false}, {true, "Microsoft Visio", nullptr, true},
        {true, "microsoft visio", nullptr, false},  {true, "Microsoft Visio ", nullptr, false},
        {true, "LibreOffice", nullptr, false},      {true, "Microsoft Visio", "name", false},
    };
    for (const auto& c : cases) {
        Rig rig;
        rig.server.running = c.running;
        rig.server.runningName = c.name;
        if (c.failingMember)
            rig.server.failing[c.failingMember] = "Call was rejected by callee";
        PV_CHECK_EQ(rig.adapter.isRunning(), c.expected);
        PV_CHECK_EQ(rig.server.created, 0);
        PV_CHECK_EQ(rig.server.quit, 0);
        // No prompt unless the expected instance runs.
        rig.dialogs.messageAnswers = {MessageAnswer::No};
        PV_CHECK_EQ(rig.adapter.promptIfRunning(), c.expected);
        PV_CHECK_EQ(rig.dialogs.messages.size(), c.expected ? 1u : 0u);
    }
}

PV_TEST(openingStartsANewInstanceUnderTheHourglass)
{
    Rig rig;
    rig.server.running = true;
    auto app = rig.adapter.openInNewInstance("/d/-odd 'name\".vsd");
    PV_CHECK(app != nullptr);
    PV_CHECK_EQ(rig.server.texts(), (Texts{"create Visio.Application", "open /d/-odd 'name\".vsd"}));
    PV_CHECK_EQ(rig.pointer.history, (std::vector<int>{MousePointer::Hourglass, MousePointer::Hourglass}));
    app->setActivePrinter("Plotter A");
    app->printAllPages();
    app->quit();
    PV_CHECK_EQ(rig.server.texts(), (Texts{"create Visio.Application", "open /d/-odd 'name\".vsd",
                                           "setActivePrinter Plotter A", "printAllPages", "quit"}));
    PV_CHECK_EQ(rig.server.instancesAlive(), 0);
}

PV_TEST(failedOpenPassesTheFailureUpAndQuitsTheInstance)
{
    Rig rig;
    rig.server.unopenable.insert("/d/gone.vsd");
    PV_CHECK_EQ(portable_test::failureOf([&] { rig.adapter.openInNewInstance("/d/gone.vsd"); }),
                std::string("File not found: /d/gone.vsd"));
    PV_CHECK_EQ(rig.server.texts(), (Texts{"create Visio.Application", "open /d/gone.vsd", "quit"}));
    PV_CHECK_EQ(rig.server.instancesAlive(), 0);
    PV_CHECK(rig.dialogs.messages.empty());

    Rig noServer;
    noServer.server.cannotCreate = true;
    PV_CHECK_EQ(portable_test::failureOf([&] { noServer.adapter.openInNewInstance("/d/a.vsd"); }),
                std::string("ActiveX component can't create object"));
    PV_CHECK(noServer.pointer.history.empty());
}
