#include "printing/posix/FolderChores.h"

#include <csignal>
#include <pthread.h>
#include <system_error>

FolderChores::~FolderChores()
{
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_stopping = true;
    }
    m_changed.notify_all();
    if (m_thread.joinable())
        m_thread.join();
}

void FolderChores::post(std::function<void()> chore)
{
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        if (!m_thread.joinable()) {
            try {
                m_thread = std::thread(&FolderChores::work, this);
            } catch (const std::system_error&) {
            }
        }
        if (m_thread.joinable()) {
            m_chores.push_back(std::move(chore));
            m_changed.notify_all();
            return;
        }
    }
    chore();
}

void FolderChores::finish()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    m_changed.wait(lock, [this] { return m_chores.empty() && !m_busy; });
}

void FolderChores::work()
{
    // The program's signals are for the window's thread, whose handlers end
    // the run in order.
    sigset_t all;
    sigfillset(&all);
    ::pthread_sigmask(SIG_BLOCK, &all, nullptr);

    std::unique_lock<std::mutex> lock(m_mutex);
    for (;;) {
        m_changed.wait(lock, [this] { return !m_chores.empty() || m_stopping; });
        if (m_chores.empty())
            return;
        const std::function<void()> chore = std::move(m_chores.front());
        m_chores.pop_front();
        m_busy = true;
        lock.unlock();
        chore();
        lock.lock();
        m_busy = false;
        m_changed.notify_all();
    }
}
