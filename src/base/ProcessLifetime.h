#pragma once

#include <map>

#include "base/Lifetime.h"

// Ends the process at once when the main window closes, after the registered
// clean-ups. Every setting is already on disk, so nothing needs saving.
class ProcessLifetime final : public Lifetime {
public:
    void end() override;
    bool ended() const override { return m_ended; }
    int addCleanup(std::function<void()> cleanup) override;
    void removeCleanup(int id) override;

private:
    bool m_ended = false;
    int m_nextId = 0;
    std::map<int, std::function<void()>> m_cleanups;
};
