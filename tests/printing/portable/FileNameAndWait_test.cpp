#include "PortableTest.h"

#include <string>

#include "fakes/FakePump.h"
#include "fakes/FakeLifetime.h"
#include "printing/FileNameOf.h"
#include "printing/Waiter.h"

PV_TEST(fileNameIsTheTextAfterTheLastSeparator)
{
    const struct {
        PathStyle style;
        const char* path;
        const char* name;
    } cases[] = {
        {PathStyle::Windows, R"(C:\Drawings\Plan A.vsd)", "Plan A.vsd"},
        {PathStyle::Windows, R"(\\server\share\x.vdx)", "x.vdx"},
        {PathStyle::Windows, "plan.vsd", "plan.vsd"},
        {PathStyle::Windows, R"(C:\Drawings\)", ""},
        {PathStyle::Windows, "C:/Drawings/a.vsd", "C:/Drawings/a.vsd"},
        {PathStyle::Posix, "/home/u/Zeichnungen/Übersicht.vsdx", "Übersicht.vsdx"},
        {PathStyle::Posix, "/d/back\\slash.vsd", "back\\slash.vsd"},
        {PathStyle::Posix, "-lead.vsd", "-lead.vsd"},
        {PathStyle::Posix, "", ""},
    };
    for (const auto& c : cases)
        PV_CHECK_EQ(fileNameOf(c.path, c.style), std::string(c.name));
}

namespace {
// A wait on the window; a busy window's events arrive every 0.3 seconds,
// waking the wait before its time is up.
struct WaitRig {
    explicit WaitRig(bool busy)
    {
        if (!busy)
            return;
        window.time.now = 86399.5;  // the clock's origin means nothing
        window.eventGap = 0.3;
    }
    FakePump window;
    FakeClock clock{window.time};
    FakeLifetime lifetime;
    Waiter waiter{clock, window, lifetime};
};
}  // namespace

PV_TEST(waitSleepsUntilItsTimeIsUp)
{
    for (const double seconds : {1.0, 2.0, 6.0, 10.0}) {
        WaitRig busy(true);
        FakePump& window = busy.window;
        const double start = window.time.now;
        busy.waiter.waitSeconds(seconds);
        PV_CHECK(window.time.now - start >= seconds);
        PV_CHECK(window.time.now - start < seconds + 1e-9);
        // It sleeps between events rather than polling.
        PV_CHECK_EQ(window.pumps, 0);
        PV_CHECK(window.waits <= static_cast<int>(seconds / window.eventGap) + 2);
    }

    WaitRig quiet(false);
    quiet.waiter.waitSeconds(6);
    PV_CHECK_EQ(quiet.window.waits, 1);
    PV_CHECK_EQ(quiet.window.waited, 6.0);
}

PV_TEST(waitEndsWhenTheProgramEnds)
{
    WaitRig busy(true);
    busy.window.onPump = [&] {
        if (busy.window.waits == 2)
            busy.lifetime.end();
    };
    busy.waiter.waitSeconds(10);
    PV_CHECK_EQ(busy.window.waits, 2);
}
