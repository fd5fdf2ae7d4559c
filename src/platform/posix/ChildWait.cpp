#include "platform/posix/ChildWait.h"

#include <chrono>

#include "base/Lifetime.h"
#include "platform/EventPump.h"

ChildResult waitForChild(ChildProcess& child, double timeLimitSeconds, EventPump& events, const Lifetime& lifetime)
{
    using Clock = std::chrono::steady_clock;
    const auto deadline
        = Clock::now() + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(timeLimitSeconds));
    for (;;) {
        ChildResult result;
        if (lifetime.ended()) {
            child.end();
            result.outcome = ChildResult::Outcome::Ended;
            return result;
        }
        if (child.finished())
            return child.result();
        const double left = std::chrono::duration<double>(deadline - Clock::now()).count();
        if (left <= 0) {
            child.end();
            if (child.result().outcome != ChildResult::Outcome::Ended)
                return child.result();  // it finished just now
            result.outcome = ChildResult::Outcome::TimedOut;
            result.peakAddressSpace = child.result().peakAddressSpace;
            return result;
        }
        events.waitForReadable(child.endDescriptor(), left);
    }
}
