#pragma once

#include <atomic>
#include <functional>

#include "platform/OffThread.h"
#include "platform/posix/CupsService.h"

// The program's requests to the print service (CUPS): each runs off the
// window's thread, and one that has not returned within the limit fails with
// words saying the service did not answer. The program's end fails the wait
// at once.
class PrintServiceCalls final {
public:
    PrintServiceCalls(EventPump& events, const Lifetime& lifetime,
                      double limitSeconds = CupsService::AnswerLimitSeconds);

    // Runs the request and waits for it to return; rethrows what it threw.
    void run(OffThread::Call request) const;
    // The same, for a request with an answer.
    template <typename Result> Result get(std::function<Result(const std::atomic<bool>& givenUp)> request) const
    {
        return m_offThread.get<Result>(std::move(request), m_limitSeconds, m_lifetime,
                                       CupsService::silentFor(m_limitSeconds));
    }

private:
    OffThread m_offThread;
    const Lifetime& m_lifetime;
    double m_limitSeconds;
};
