#pragma once

#include <functional>
#include <map>

#include "base/Lifetime.h"

// Records the end of the program instead of ending the test process.
class FakeLifetime final : public Lifetime {
public:
    void end() override
    {
        if (m_ended)
            return;
        m_ended = true;
        for (auto& [id, cleanup] : m_cleanups)
            cleanup();
    }
    bool ended() const override { return m_ended; }
    int addCleanup(std::function<void()> cleanup) override
    {
        m_cleanups[++m_nextId] = std::move(cleanup);
        return m_nextId;
    }
    void removeCleanup(int id) override { m_cleanups.erase(id); }
    int cleanups() const { return static_cast<int>(m_cleanups.size()); }

private:
    bool m_ended = false;
    int m_nextId = 0;
    std::map<int, std::function<void()>> m_cleanups;
};
