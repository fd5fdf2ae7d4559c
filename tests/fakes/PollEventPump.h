#pragma once

#include <cmath>
#include <functional>
#include <poll.h>

#include "platform/EventPump.h"

// An event pump without a window (POSIX only): a wait sleeps in poll() until
// its descriptor is readable or its time is up. onWait runs at the start of
// each wait, so a test can act in the middle of one as a handler of the window
// would; when it returns true it handled an event, and the wait returns at
// once, as a window's wait does after handling one.
class PollEventPump final : public EventPump {
public:
    void processPending() override {}
    void waitForEvents(double maxSeconds) override { waitForReadable(-1, maxSeconds); }
    void waitForReadable(int descriptor, double maxSeconds) override
    {
        ++waits;
        if (onWait && onWait())
            return;
        pollfd ready{descriptor, POLLIN, 0};
        ::poll(&ready, 1, static_cast<int>(std::ceil(std::max(0.0, maxSeconds) * 1000.0)));
    }

    int waits = 0;
    std::function<bool()> onWait;
};
