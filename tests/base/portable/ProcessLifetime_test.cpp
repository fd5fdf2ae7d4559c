#include <chrono>
#include <condition_variable>
#include <mutex>

#include "PortableTest.h"
#include "base/ProcessLifetime.h"

using namespace std::chrono_literals;

PV_TEST(theProcessEndsAfterItsCleanUpsOrOnceTheyTakeTooLong)
{
    for (const bool cleanUpHangs : {false, true}) {
        std::mutex mutex;
        std::condition_variable changed;
        int ends = 0;
        bool cleanUpRunning = false;
        bool endedDuringCleanUp = false;
        ProcessLifetime lifetime(100ms, [&] {
            const std::lock_guard<std::mutex> lock(mutex);
            ++ends;
            endedDuringCleanUp = endedDuringCleanUp || cleanUpRunning;
            changed.notify_all();
        });
        lifetime.addCleanup([&] {
            std::unique_lock<std::mutex> lock(mutex);
            cleanUpRunning = true;
            // A hanging clean-up returns only once the process has been ended
            // (here, where ending returns), or after a generous while.
            if (cleanUpHangs)
                changed.wait_for(lock, 20s, [&] { return ends > 0; });
            cleanUpRunning = false;
        });
        lifetime.end();
        PV_CHECK(lifetime.ended());
        PV_CHECK_EQ(endedDuringCleanUp, cleanUpHangs);
        // Ended once the clean-ups were done as well (where ending returns).
        PV_CHECK_EQ(ends, cleanUpHangs ? 2 : 1);
    }
}
