#include "base/ProcessLifetime.h"

#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <system_error>
#include <thread>

namespace {

void endProcessNow()
{
    std::fflush(nullptr);
    std::_Exit(0);
}

}  // namespace

ProcessLifetime::ProcessLifetime(std::chrono::milliseconds cleanupLimit, std::function<void()> endProcess)
    : m_cleanupLimit(cleanupLimit), m_endProcess(endProcess ? std::move(endProcess) : endProcessNow)
{
}

void ProcessLifetime::end()
{
    if (m_ended)
        return;
    m_ended = true;

    std::mutex mutex;
    std::condition_variable finished;
    bool cleanedUp = false;
    std::thread watchdog;
    try {
        watchdog = std::thread([&] {
            std::unique_lock<std::mutex> lock(mutex);
            if (!finished.wait_for(lock, m_cleanupLimit, [&] { return cleanedUp; }))
                m_endProcess();
        });
    } catch (const std::system_error&) {
        // No thread to spare: the clean-ups run without a limit.
    }
    runCleanups();
    {
        const std::lock_guard<std::mutex> lock(mutex);
        cleanedUp = true;
    }
    finished.notify_all();
    if (watchdog.joinable())
        watchdog.join();
    m_endProcess();
}

void ProcessLifetime::runCleanups()
{
    // In the order they were registered: the run's record and its last line
    // are registered before the print run that ends the outside application
    // and removes its folders, so that they are written even when that takes
    // longer than the clean-ups are given.
    for (auto& [id, cleanup] : m_cleanups) {
        try {
            cleanup();
        } catch (...) {
            // The program is ending; a clean-up that fails must not stop that.
        }
    }
}

int ProcessLifetime::addCleanup(std::function<void()> cleanup)
{
    m_cleanups[++m_nextId] = std::move(cleanup);
    return m_nextId;
}

void ProcessLifetime::removeCleanup(int id)
{
    m_cleanups.erase(id);
}
