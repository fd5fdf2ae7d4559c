#include "printing/posix/FolderChores.h"

#include <condition_variable>
#include <deque>
#include <exception>
#include <mutex>

struct FolderChores::Queue {
    std::mutex mutex;
    std::condition_variable changed;
    std::deque<std::function<void()>> chores;
    bool busy = false;     // a chore is in work
    bool working = false;  // a thread runs and will take the next chore

    // Does the chores until none is left.
    void work()
    {
        std::unique_lock<std::mutex> lock(mutex);
        while (!chores.empty()) {
            const std::function<void()> chore = std::move(chores.front());
            chores.pop_front();
            busy = true;
            lock.unlock();
            chore();
            lock.lock();
            busy = false;
            changed.notify_all();
        }
        working = false;
        changed.notify_all();
    }
};

FolderChores::FolderChores(EventPump& events) : m_offThread(events), m_queue(std::make_shared<Queue>()) {}

FolderChores::~FolderChores()
{
    finish();
}

void FolderChores::post(std::function<void()> chore)
{
    std::unique_lock<std::mutex> lock(m_queue->mutex);
    m_queue->chores.push_back(std::move(chore));
    m_queue->changed.notify_all();
    if (m_queue->working)
        return;
    m_queue->working = true;
    lock.unlock();
    try {
        m_offThread.start([queue = m_queue] { queue->work(); });
    } catch (const std::exception&) {
        m_queue->work();  // here and now
    }
}

void FolderChores::finish()
{
    std::unique_lock<std::mutex> lock(m_queue->mutex);
    m_queue->changed.wait(lock, [this] { return m_queue->chores.empty() && !m_queue->busy; });
}

void FolderChores::abandon()
{
    const std::lock_guard<std::mutex> lock(m_queue->mutex);
    m_queue->chores.clear();
}
