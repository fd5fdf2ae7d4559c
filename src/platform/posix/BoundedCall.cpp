#include "platform/posix/BoundedCall.h"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <exception>
#include <fcntl.h>
#include <poll.h>
#include <system_error>
#include <thread>
#include <unistd.h>

#include "base/Failure.h"
#include "base/Lifetime.h"
#include "platform/EventPump.h"

namespace {

// What the waiting thread and the call's thread share; the last of the two
// to let go of it closes the pipe.
struct Shared {
    BoundedCall::Call call;
    std::atomic<bool> givenUp{false};
    std::atomic<bool> returned{false};
    std::exception_ptr failure;
    int done[2] = {-1, -1};  // the call's thread writes one byte when it has returned

    ~Shared()
    {
        for (const int fd : done)
            if (fd >= 0)
                ::close(fd);
    }
};

bool readable(int fd)
{
    pollfd ready{fd, POLLIN, 0};
    return ::poll(&ready, 1, 0) > 0;
}

}  // namespace

BoundedCall::BoundedCall(EventPump& events, const Lifetime& lifetime, double limitSeconds)
    : m_events(events), m_lifetime(lifetime), m_limitSeconds(limitSeconds)
{
}

void BoundedCall::run(Call call, const std::string& tooLong) const
{
    auto shared = std::make_shared<Shared>();
    shared->call = std::move(call);
    if (::pipe2(shared->done, O_CLOEXEC) != 0)
        throw Failure(std::string("No pipe for a call can be made: ") + std::strerror(errno));
    try {
        std::thread([shared] {
            try {
                shared->call(shared->givenUp);
            } catch (...) {
                shared->failure = std::current_exception();
            }
            shared->returned.store(true, std::memory_order_release);
            const char byte = 1;
            ssize_t written;
            do {
                written = ::write(shared->done[1], &byte, 1);
            } while (written < 0 && errno == EINTR);
        }).detach();
    } catch (const std::system_error& error) {
        throw Failure(std::string("No thread for a call can be started: ") + error.what());
    }

    using Clock = std::chrono::steady_clock;
    const auto deadline
        = Clock::now() + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(m_limitSeconds));
    for (;;) {
        if (m_lifetime.ended()) {
            shared->givenUp = true;
            throw Failure("The program is closing");
        }
        const double left = std::chrono::duration<double>(deadline - Clock::now()).count();
        // The window's events are handled at least once for every call, as
        // at every step of a long operation.
        if (left > 0)
            m_events.waitForReadable(shared->done[0], left);
        if (readable(shared->done[0]) && shared->returned.load(std::memory_order_acquire))
            break;
        if (left <= 0) {
            shared->givenUp = true;
            throw Failure(tooLong);
        }
    }
    if (shared->failure)
        std::rethrow_exception(shared->failure);
}
