#include "base/ProcessLifetime.h"

#include <cstdio>
#include <cstdlib>

void ProcessLifetime::end()
{
    if (m_ended)
        return;
    m_ended = true;
    for (auto& [id, cleanup] : m_cleanups) {
        try {
            cleanup();
        } catch (...) {
            // The program is ending; a clean-up that fails must not stop that.
        }
    }
    std::fflush(nullptr);
    std::_Exit(0);
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
