#pragma once

#include <functional>

// The window's event queue as the long operations use it.
class EventPump {
public:
    virtual ~EventPump() = default;
    // Handles every pending user-interface event once and returns.
    virtual void processPending() = 0;
    // Sleeps until an event arrives or at most maxSeconds have passed, handling
    // what arrived.
    virtual void waitForEvents(double maxSeconds) = 0;
    // Sleeps until an event arrives, the descriptor (a POSIX file descriptor)
    // becomes readable, or at most maxSeconds have passed, handling what
    // arrived. The descriptor itself is not read.
    virtual void waitForReadable(int descriptor, double maxSeconds) = 0;
    // Queues the task to run on the window's thread when the events are next
    // handled, and wakes a wait. May be called from any thread.
    virtual void post(std::function<void()> task) = 0;
};
