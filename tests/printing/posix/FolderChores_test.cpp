#include <atomic>
#include <chrono>
#include <dirent.h>
#include <thread>

#include "PortableTest.h"
#include "fakes/PollEventPump.h"
#include "printing/posix/FolderChores.h"

namespace {

int threads()
{
    int count = 0;
    if (DIR* tasks = ::opendir("/proc/self/task")) {
        while (const dirent* entry = ::readdir(tasks))
            count += entry->d_name[0] != '.';
        ::closedir(tasks);
    }
    return count;
}

// The thread count once it has settled to `expected`, or what it is after a
// generous while: a thread that has returned leaves the list a moment later.
int threadsSettlingTo(int expected)
{
    for (int i = 0; i < 400 && threads() != expected; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    return threads();
}

}  // namespace

PV_TEST(theChoresThreadEndsWhenNoChoreIsLeftAndComesBackForTheNext)
{
    const int before = threads();
    PollEventPump events;
    FolderChores chores{events};
    std::atomic<int> done{0};
    for (int round = 1; round <= 2; ++round) {
        for (int i = 0; i < 3; ++i)
            chores.post([&done] { ++done; });
        chores.finish();
        PV_CHECK_EQ(done.load(), 3 * round);
        PV_CHECK_EQ(threadsSettlingTo(before), before);
    }
}

PV_TEST(choresNotBegunAreDroppedWhenTheProgramEnds)
{
    PollEventPump events;
    FolderChores chores{events};
    std::atomic<bool> started{false};
    std::atomic<bool> release{false};
    std::atomic<int> done{0};
    chores.post([&] {
        started = true;
        while (!release)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        ++done;
    });
    chores.post([&done] { ++done; });
    // The first is in work; the second is given up.
    while (!started)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    chores.abandon();
    release = true;
    chores.finish();
    PV_CHECK_EQ(done.load(), 1);
}
