#pragma once

#include <cmath>
#include <fcntl.h>
#include <functional>
#include <poll.h>
#include <unistd.h>

#include "fakes/PostedTasks.h"
#include "platform/EventPump.h"

// An event pump without a window (POSIX only): a wait sleeps in poll() until
// its descriptor is readable, a task is posted, or its time is up; posted
// tasks run in the wait. onWait runs at the start of each wait, so a test can
// act in the middle of one as a handler of the window would; when it returns
// true it handled an event, and the wait returns at once, as a window's wait
// does after handling one.
class PollEventPump final : public EventPump {
public:
    PollEventPump()
    {
        if (::pipe2(m_wake, O_CLOEXEC | O_NONBLOCK) != 0)
            m_wake[0] = m_wake[1] = -1;
    }
    ~PollEventPump() override
    {
        ::close(m_wake[0]);
        ::close(m_wake[1]);
    }
    void processPending() override { runPosted(); }
    void waitForEvents(double maxSeconds) override { waitForReadable(-1, maxSeconds); }
    void waitForReadable(int descriptor, double maxSeconds) override
    {
        ++waits;
        if (onWait && onWait())
            return;
        pollfd ready[2] = {{descriptor, POLLIN, 0}, {m_wake[0], POLLIN, 0}};
        ::poll(ready, 2, static_cast<int>(std::ceil(std::max(0.0, maxSeconds) * 1000.0)));
        runPosted();
    }
    void post(std::function<void()> task) override
    {
        m_posted.add(std::move(task));
        const char byte = 1;
        const ssize_t written = ::write(m_wake[1], &byte, 1);
        (void)written;  // a full pipe wakes the wait already
    }

    int waits = 0;
    std::function<bool()> onWait;

private:
    void runPosted()
    {
        char bytes[64];
        while (::read(m_wake[0], bytes, sizeof bytes) > 0) {}
        m_posted.runAll();
    }

    int m_wake[2] = {-1, -1};
    PostedTasks m_posted;
};
