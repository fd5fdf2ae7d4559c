#pragma once

#include <functional>
#include <memory>

#include "platform/OffThread.h"

// Folder work that the window's thread need not wait for: copying the profile
// of a file rendered ahead, removing the folders of an instance that has quit.
// The chores run one after another, in the order given, off the window's
// thread. That thread starts when a chore is given and ends as soon as none is
// left, so that nothing of the program waits while there is no folder work. A
// chore must not throw and must not touch anything the window's thread
// changes.
class FolderChores final {
public:
    explicit FolderChores(EventPump& events);
    // Finishes every chore given.
    ~FolderChores();
    FolderChores(const FolderChores&) = delete;
    FolderChores& operator=(const FolderChores&) = delete;

    // Hands the chore over and returns at once; when no thread can be
    // started, the chore is done here and now.
    void post(std::function<void()> chore);
    // Waits until every chore given so far is done.
    void finish();
    // The program is ending: the chores not yet begun are dropped (what they
    // would have removed is cleared at the next start), and nothing waits for
    // the one in work.
    void abandon();

private:
    struct Queue;

    OffThread m_offThread;
    std::shared_ptr<Queue> m_queue;  // shared with the thread doing the chores
};
