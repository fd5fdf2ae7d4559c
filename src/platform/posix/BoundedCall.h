#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <string>

class EventPump;
class Lifetime;

// Runs a call that may block for long (a request to a service that does not
// answer) on a thread of its own, while the window's thread waits as it does
// for a conversion: it handles the window's events, so the window repaints,
// and closing it ends the program at once. Only the call itself leaves the
// window's thread; what it returns is used back there.
//
// A call that is given up on (its time is up, or the program is ending) may
// still be running: it owns whatever it uses, and it watches the flag it is
// handed, which turns true when it is given up on, so that it stops as soon as
// it can and starts nothing new.
class BoundedCall final {
public:
    using Call = std::function<void(const std::atomic<bool>& givenUp)>;

    BoundedCall(EventPump& events, const Lifetime& lifetime, double limitSeconds);

    // Runs the call and waits for it; rethrows what it threw. Throws
    // Failure(tooLong) when it has not returned within the limit, and Failure
    // when the program's life ends during the wait.
    void run(Call call, const std::string& tooLong) const;

    // The same, for a call with a result.
    template <typename Result>
    Result get(std::function<Result(const std::atomic<bool>&)> call, const std::string& tooLong) const
    {
        auto result = std::make_shared<std::optional<Result>>();
        run([result, call = std::move(call)](const std::atomic<bool>& givenUp) { *result = call(givenUp); }, tooLong);
        return std::move(**result);
    }

    double limitSeconds() const { return m_limitSeconds; }

private:
    EventPump& m_events;
    const Lifetime& m_lifetime;
    double m_limitSeconds;
};
