#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <string>

class EventPump;
class Lifetime;

// The program's one way of leaving the window's thread, for work that may
// block for long (a request to a service that does not answer, folder work).
// Every call runs on a thread of its own that takes none of the program's
// signals: those are for the window's thread, whose handlers end a run in
// order. Only the call leaves the window's thread; what it returns is used
// back there.
class OffThread final {
public:
    using Call = std::function<void(const std::atomic<bool>& givenUp)>;

    explicit OffThread(EventPump& events);

    // Starts the call and returns at once; done then runs on the window's
    // thread, through the event pump. Throws Failure when no thread can be
    // started.
    void start(std::function<void()> call, std::function<void()> done = {}) const;

    // Runs the call and waits for it, handling the window's events meanwhile
    // (the window repaints, and closing it ends the program at once); rethrows
    // what the call threw. Throws Failure(tooLong) when it has not returned
    // within the limit, and Failure when the program's life ends during the
    // wait. A call given up on may still be running: it owns whatever it uses,
    // and it watches the flag it is handed, which turns true when it is given
    // up on, so that it stops as soon as it can and starts nothing new.
    void wait(Call call, double limitSeconds, const Lifetime& lifetime, const std::string& tooLong) const;

    // The same, for a call with a result.
    template <typename Result>
    Result get(std::function<Result(const std::atomic<bool>&)> call, double limitSeconds, const Lifetime& lifetime,
               const std::string& tooLong) const
    {
        auto result = std::make_shared<std::optional<Result>>();
        wait([result, call = std::move(call)](const std::atomic<bool>& givenUp) { *result = call(givenUp); },
             limitSeconds, lifetime, tooLong);
        return std::move(**result);
    }

private:
    EventPump& m_events;
};
