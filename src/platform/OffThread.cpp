#include "platform/OffThread.h"

#include <chrono>
#include <exception>
#include <system_error>
#include <thread>

#include "base/Failure.h"
#include "base/Lifetime.h"
#include "platform/EventPump.h"
#include "platform/ThreadSignals.h"

OffThread::OffThread(EventPump& events) : m_events(events) {}

void OffThread::start(std::function<void()> call, std::function<void()> done) const
{
    EventPump* events = done ? &m_events : nullptr;
    try {
        std::thread([call = std::move(call), done = std::move(done), events] {
            blockProgramSignals();
            call();
            if (events)
                events->post(done);
        }).detach();
    } catch (const std::system_error& error) {
        throw Failure(std::string("No thread for a call can be started: ") + error.what());
    }
}

void OffThread::wait(Call call, double limitSeconds, const Lifetime& lifetime, const std::string& tooLong) const
{
    // What the waiting thread and the call's thread share.
    struct Shared {
        Call call;
        std::atomic<bool> givenUp{false};
        std::atomic<bool> returned{false};
        std::exception_ptr failure;
    };
    auto shared = std::make_shared<Shared>();
    shared->call = std::move(call);
    // The answer posted back wakes the wait below.
    start(
        [shared] {
            try {
                shared->call(shared->givenUp);
            } catch (...) {
                shared->failure = std::current_exception();
            }
            shared->returned.store(true, std::memory_order_release);
        },
        [] {});

    using Clock = std::chrono::steady_clock;
    const auto deadline
        = Clock::now() + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(limitSeconds));
    for (;;) {
        if (lifetime.ended()) {
            shared->givenUp = true;
            throw Failure("The program is closing");
        }
        const double left = std::chrono::duration<double>(deadline - Clock::now()).count();
        // The window's events are handled at least once for every call, as
        // at every step of a long operation.
        if (left > 0)
            m_events.waitForEvents(left);
        if (shared->returned.load(std::memory_order_acquire))
            break;
        if (left <= 0) {
            shared->givenUp = true;
            throw Failure(tooLong);
        }
    }
    if (shared->failure)
        std::rethrow_exception(shared->failure);
}
