#pragma once

#include <functional>
#include <mutex>
#include <utility>
#include <vector>

// The tasks posted to a fake event pump, from any thread; they run on the
// pump's thread when it next handles events.
class PostedTasks final {
public:
    void add(std::function<void()> task)
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_tasks.push_back(std::move(task));
    }
    void runAll()
    {
        std::vector<std::function<void()>> tasks;
        {
            const std::lock_guard<std::mutex> lock(m_mutex);
            tasks.swap(m_tasks);
        }
        for (auto& task : tasks)
            task();
    }

private:
    std::mutex m_mutex;
    std::vector<std::function<void()>> m_tasks;
};
