#pragma once

#include <functional>

#include "platform/Clock.h"
#include "platform/EventPump.h"

// A clock that moves only when the event queue is pumped: each pump advances it
// by `step` seconds, a wait by the time it was allowed to sleep (a wait for a
// descriptor too: nothing here becomes readable). With eventGap set, an event
// arrives every eventGap seconds and wakes a longer wait early. onPump runs on
// every pump and wait, so a test can act in the middle of a long operation.
class FakeClock final : public Clock, public EventPump {
public:
    double seconds() override { return now; }
    void processPending() override
    {
        ++pumps;
        now += step;
        if (onPump)
            onPump();
    }
    void waitForEvents(double maxSeconds) override
    {
        ++waits;
        const double slept = eventGap > 0.0 && eventGap < maxSeconds ? eventGap : maxSeconds;
        waited += slept;
        now += slept;
        if (onPump)
            onPump();
    }
    void waitForReadable(int, double maxSeconds) override { waitForEvents(maxSeconds); }

    double now = 1000.0;
    double step = 0.0;
    double eventGap = 0.0;
    double waited = 0.0;
    int pumps = 0;
    int waits = 0;
    std::function<void()> onPump;
};
