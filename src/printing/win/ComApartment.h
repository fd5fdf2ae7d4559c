#pragma once

#include <memory>

class ComCallTimer;
struct IMessageFilter;

// Joins the calling thread to a single-threaded COM apartment for the object's
// lifetime. The program makes one on its user-interface thread before any
// automation call, and every automation call is made on that thread. A thread
// that already joined an apartment keeps it; the balance is kept either way.
// While it lives, calls that a busy server turns away are tried again
// (RetryingMessageFilter), and with a bound, calls that run out of time are
// cancelled.
class ComApartment final {
public:
    explicit ComApartment(std::shared_ptr<ComCallTimer> bound = {});
    ~ComApartment();
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

private:
    bool m_joined = false;
    bool m_filterRegistered = false;
    IMessageFilter* m_previousFilter = nullptr;
};
