#pragma once

#include <chrono>
#include <functional>
#include <map>

#include "base/Lifetime.h"

// Ends the process at once when the main window closes, after the registered
// clean-ups, in the order they were registered. Every setting is already on
// disk, so nothing needs saving. The clean-ups get half a second: when they take longer (an outside application
// that does not answer, a slow disk), the process ends regardless, and what
// they did not clear is cleared at the next start.
class ProcessLifetime final : public Lifetime {
public:
    static constexpr std::chrono::milliseconds CleanupLimit{500};

    // `endProcess` ends the process: after the clean-ups, or from another
    // thread once they have taken `cleanupLimit`. It does not return, except
    // in tests.
    explicit ProcessLifetime(std::chrono::milliseconds cleanupLimit = CleanupLimit,
                             std::function<void()> endProcess = {});

    void end() override;
    bool ended() const override { return m_ended; }
    int addCleanup(std::function<void()> cleanup) override;
    void removeCleanup(int id) override;

private:
    void runCleanups();

    std::chrono::milliseconds m_cleanupLimit;
    std::function<void()> m_endProcess;
    bool m_ended = false;
    int m_nextId = 0;
    std::map<int, std::function<void()>> m_cleanups;
};
