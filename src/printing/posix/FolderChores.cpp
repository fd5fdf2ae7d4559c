#include "printing/posix/FolderChores.h"

#include <csignal>
#include <pthread.h>
#include <system_error>

FolderChores::~FolderChores()
{
    finish();
    if (m_thread.joinable())
        m_thread.join();
}

void FolderChores::post(std::function<void()> chore)
{
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        if (!m_working) {
            // The thread that ran the last chores has ended, or is ending.
            if (m_thread.joinable()) {
                lock.unlock();
                m_thread.join();
                lock.lock();
            }
            try {
                m_thread = std::thread(&FolderChores::work, this);
                m_working = true;
            } catch (const std::system_error&) {
            }
        }
        if (m_working) {
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

void FolderChores::abandon()
{
    const std::lock_guard<std::mutex> lock(m_mutex);
    m_chores.clear();
}

void FolderChores::work()
{
    // The program's signals are for the window's thread, whose handlers end
    // the run in order.
    sigset_t all;
    sigfillset(&all);
    ::pthread_sigmask(SIG_BLOCK, &all, nullptr);

    std::unique_lock<std::mutex> lock(m_mutex);
    while (!m_chores.empty()) {
        const std::function<void()> chore = std::move(m_chores.front());
        m_chores.pop_front();
        m_busy = true;
        lock.unlock();
        chore();
        lock.lock();
        m_busy = false;
        m_changed.notify_all();
    }
    m_working = false;
    m_changed.notify_all();
}
