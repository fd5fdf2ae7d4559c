#pragma once

#include <functional>

#include "fakes/FakeClock.h"
#include "fakes/PostedTasks.h"
#include "platform/EventPump.h"

// An event queue that moves the test's time: each pump advances it by `step`
// seconds, a wait by the time it was allowed to sleep (a wait for a descriptor
// too: nothing here becomes readable). With eventGap set, an event arrives
// every eventGap seconds and wakes a longer wait early. onPump runs on every
// pump and wait, so a test can act in the middle of a long operation. Posted
// tasks run at the next pump or wait. A FakeClock made on `time` reads it.
class FakePump final : public EventPump {
public:
    void processPending() override
    {
        ++pumps;
        time.now += step;
        handled();
    }
    void waitForEvents(double maxSeconds) override
    {
        ++waits;
        const double slept = eventGap > 0.0 && eventGap < maxSeconds ? eventGap : maxSeconds;
        waited += slept;
        time.now += slept;
        handled();
    }
    void waitForReadable(int, double maxSeconds) override { waitForEvents(maxSeconds); }
    void post(std::function<void()> task) override { m_posted.add(std::move(task)); }

    FakeTime time;
    double step = 0.0;
    double eventGap = 0.0;
    double waited = 0.0;
    int pumps = 0;
    int waits = 0;
    std::function<void()> onPump;

private:
    void handled()
    {
        m_posted.runAll();
        if (onPump)
            onPump();
    }

    PostedTasks m_posted;
};
