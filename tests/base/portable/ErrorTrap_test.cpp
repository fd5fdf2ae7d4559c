#include "PortableTest.h"

#include "base/ErrorReport.h"
#include "base/ErrorTrap.h"
#include "base/Failure.h"
#include "fakes/FakeDialogs.h"
#include "fakes/FakeLifetime.h"

namespace {
const char* const Location = "in Sheetwick2021/08/31.Form1.Form_Load ";

struct Rig {
    FakeDialogs dialogs;
    FakeLifetime lifetime;
    ErrorTrap trap{dialogs, lifetime, Location};
};
}  // namespace

PV_TEST(reportTextIsBuiltExactly)
{
    PV_CHECK_EQ(ErrorReport::text("Overflow", Location, 136),
                std::string("Overflow\r\nin Sheetwick2021/08/31.Form1.Form_Load at line 136\r\r"
                            "Please email screenshot of this message to ")
                    + ErrorReport::SupportAddress);
}

PV_TEST(failingStepsAreReportedAndTheHandlerGoesOn)
{
    Rig rig;
    std::vector<int> ran;
    rig.trap.step(100, [&] { throw Failure("Type mismatch"); });
    rig.trap.step(102, [&] { ran.push_back(102); });
    rig.trap.step(104, [&] { throw Failure("Invalid property value"); });
    rig.trap.step(106, [&] { ran.push_back(106); });
    PV_CHECK_EQ(rig.dialogs.messages.size(), 2u);
    PV_CHECK_EQ(rig.dialogs.reportedLines(), (std::vector<int>{100, 104}));
    PV_CHECK_EQ(ran, (std::vector<int>{102, 106}));
    PV_CHECK_EQ(rig.dialogs.messages[0].title, std::string("Application Error"));
    PV_CHECK_EQ(rig.dialogs.messages[0].icon, MessageIcon::Warning);
    PV_CHECK_EQ(rig.dialogs.messages[0].buttons, MessageButtons::Ok);
    PV_CHECK_EQ(rig.dialogs.messages[0].text.substr(0, 15), std::string("Type mismatch\r\n"));
}

PV_TEST(failingTestEntersTheBody)
{
    Rig rig;
    PV_CHECK(rig.trap.test(104, []() -> bool { throw Failure("Overflow"); }));
    PV_CHECK(!rig.trap.test(106, [] { return false; }));
    PV_CHECK_EQ(rig.dialogs.reportedLines(), std::vector<int>{104});
}

PV_TEST(loopsGoOnAfterAFailingPass)
{
    Rig rig;
    int passes = 0;
    for (int i = 0; i < 3 && !rig.trap.stopped(); ++i) {
        rig.trap.step(140, [&] {
            if (i == 1)
                throw Failure("Overflow");
        });
        rig.trap.step(142, [&] { ++passes; });
    }
    PV_CHECK_EQ(passes, 3);
    PV_CHECK_EQ(rig.dialogs.reportedLines(), std::vector<int>{140});
}

PV_TEST(nothingRunsOnceTheProgramEnds)
{
    Rig rig;
    int ran = 0;
    rig.trap.step(100, [&] {
        ++ran;
        rig.lifetime.end();
        throw Failure("ignored once closed");
    });
    rig.trap.step(102, [&] { ++ran; });
    PV_CHECK(!rig.trap.test(104, [] { return true; }));
    PV_CHECK(rig.trap.stopped());
    PV_CHECK_EQ(ran, 1);
    PV_CHECK(rig.dialogs.messages.empty());
}
